// The real registry is shared, so each test gets a key of its own and removes it with its subtree.
// The key lies in the 32-bit view, where the routines read and write.
#include "scratch_registry.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "windows_command.h"

namespace {

using marovel::testing::deleteKeyTree;

const char kScratchParent[] = "Software\\MarovelConformance";

}  // namespace

struct ScratchRegistry::Platform {};

ScratchRegistry::ScratchRegistry() : platform_(std::make_unique<Platform>()) {
  static std::atomic<unsigned> counter{0};
  keyPath_ = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(counter++);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create HKEY_LOCAL_MACHINE\\" + keyPath_);
  }
  RegCloseKey(key);
}

ScratchRegistry::~ScratchRegistry() {
  deleteKeyTree(keyPath_, KEY_WOW64_32KEY);
  // Goes only once no other test program has a key below it.
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kScratchParent, KEY_WOW64_32KEY, 0);
}

void ScratchRegistry::deleteKey(const std::string& subkey) const {
  // With a subkey name, RegDeleteTreeA removes that key as well.
  if (deleteKeyTree(keyPath_ + "\\" + subkey, KEY_WOW64_32KEY) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\" + keyPath_ + "\\" + subkey);
  }
}
