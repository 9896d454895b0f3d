// Under Wine only, so that an agent's real keys are never touched: the agent's tree is removed
// from the 32-bit view, where the tool reads and writes it, before and after each test.
#include <windows.h>

#include <stdexcept>

#include "temp_registry.h"

namespace marovel::testing {

struct TempRegistry::Platform {};

TempRegistry::TempRegistry() : platform_(std::make_unique<Platform>()) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
    throw std::runtime_error("runs only under Wine: it replaces HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
  clear();
}

TempRegistry::~TempRegistry() {
  try {
    clear();
  } catch (const std::exception&) {
    // the next test starts by clearing again
  }
}

void TempRegistry::clear() {
  HKEY software = nullptr;
  LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software);
  if (result == ERROR_SUCCESS) {
    result = RegDeleteTreeA(software, "Qorvi");
    RegCloseKey(software);
  }
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
}

}  // namespace marovel::testing
