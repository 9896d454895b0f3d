// The real registry is shared, so each test gets a key of its own and removes it with its subtree.
#include "scratch_registry.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace {

const char kScratchParent[] = "Software\\MarovelConformance";

}  // namespace

struct ScratchRegistry::Platform {};

ScratchRegistry::ScratchRegistry() : platform_(std::make_unique<Platform>()) {
  static std::atomic<unsigned> counter{0};
  keyPath_ = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(counter++);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create HKEY_LOCAL_MACHINE\\" + keyPath_);
  }
  RegCloseKey(key);
}

ScratchRegistry::~ScratchRegistry() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath_.c_str());
  // Goes only once no other test program has a key below it.
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScratchParent);
}

void ScratchRegistry::deleteKey(const std::string& subkey) const {
  const std::string path = keyPath_ + "\\" + subkey;
  // With a subkey name, RegDeleteTreeA removes that key as well.
  if (RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str()) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\" + path);
  }
}
