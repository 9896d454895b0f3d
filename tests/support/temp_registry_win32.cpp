// Under Wine only, so that an agent's real keys are never touched: the agent's tree is removed
// from the 32-bit view, where the tool reads and writes it, before and after each test.
#include <windows.h>

#include <stdexcept>

#include "temp_registry.h"
#include "windows_command.h"

namespace marovel::testing {

struct TempRegistry::Platform {};

TempRegistry::TempRegistry() : platform_(std::make_unique<Platform>()) {
  requireWine("HKEY_LOCAL_MACHINE\\Software\\Qorvi");
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
  const LONG result = deleteKeyTree("Software\\Qorvi", KEY_WOW64_32KEY);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
}

}  // namespace marovel::testing
