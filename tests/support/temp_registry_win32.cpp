// Under Wine only, so that an agent's real keys are never touched: the agent's tree is removed
// from the 32-bit view, where the tool reads and writes it, before and after each test.
#include <windows.h>
#include <sddl.h>

#include <stdexcept>
#include <string>

#include "temp_registry.h"
#include "windows_command.h"

namespace marovel::testing {
namespace {

// Everyone may read; the rights to change the access and to delete stay, so that clear() can.
constexpr const wchar_t* kReadOnly = L"D:P(A;OICI;KRWDSD;;;WD)";
constexpr const wchar_t* kFullAccess = L"D:P(A;OICI;KA;;;WD)";

// Gives the key and every key below it in the 32-bit view the access the descriptor says.
void setTreeAccess(const std::string& path, const wchar_t* descriptor) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC | KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_32KEY,
                    &key) != ERROR_SUCCESS) {
    return;
  }
  PSECURITY_DESCRIPTOR security = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1, &security, nullptr);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security);
  LocalFree(security);
  char name[256];
  for (DWORD index = 0, size = sizeof name; RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr,
                                                          nullptr) == ERROR_SUCCESS;
       ++index, size = sizeof name) {
    setTreeAccess(path + "\\" + name, descriptor);
  }
  RegCloseKey(key);
}

}  // namespace

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

// As a user without administrative rights meets the agent's keys.
void TempRegistry::refuseWrites() { setTreeAccess("Software\\Qorvi", kReadOnly); }

void TempRegistry::clear() {
  setTreeAccess("Software\\Qorvi", kFullAccess);
  const LONG result = deleteKeyTree("Software\\Qorvi", KEY_WOW64_32KEY);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
}

}  // namespace marovel::testing
