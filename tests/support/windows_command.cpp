#include "windows_command.h"

#include <windows.h>

#include <stdexcept>

namespace marovel::testing {

int runCommand(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

void requireWine(const std::string& what) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
    throw std::runtime_error("runs only under Wine: it replaces " + what);
  }
}

// RegDeleteTreeA takes no view: it works below the key's parent opened in the one wanted.
LONG deleteKeyTree(const std::string& keyPath, REGSAM view) {
  const auto lastSeparator = keyPath.rfind('\\');
  if (lastSeparator == std::string::npos) throw std::runtime_error("will not delete a key of the root");
  HKEY parent = nullptr;
  LONG result =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.substr(0, lastSeparator).c_str(), 0, KEY_ALL_ACCESS | view, &parent);
  if (result != ERROR_SUCCESS) return result;
  result = RegDeleteTreeA(parent, keyPath.substr(lastSeparator + 1).c_str());
  RegCloseKey(parent);
  return result;
}

}  // namespace marovel::testing
