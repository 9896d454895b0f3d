// Under Wine only, so that an agent's real keys are never touched: the agent's tree is removed
// before and after each test.
#include <windows.h>

#include <stdexcept>

#include "temp_registry.h"

namespace marovel::testing {
namespace {

void removeAgentTree() {
  LONG result = RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Qorvi");
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
}

}  // namespace

struct TempRegistry::Platform {};

TempRegistry::TempRegistry() : platform_(std::make_unique<Platform>()) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
    throw std::runtime_error("runs only under Wine: it replaces HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
  removeAgentTree();
}

TempRegistry::~TempRegistry() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Qorvi"); }

}  // namespace marovel::testing
