// Under Wine, so that the agent's real keys are never touched.
#include <windows.h>

#include <stdexcept>

#include "reg_file_importer.h"

namespace marovel::testing {

struct RegFileImporter::Platform {};

RegFileImporter::RegFileImporter() : platform_(std::make_unique<Platform>()) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
    throw std::runtime_error("runs only under Wine: it replaces HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
}

RegFileImporter::~RegFileImporter() = default;

void RegFileImporter::removeAgentTree() {
  LONG result = RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Qorvi");
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\Software\\Qorvi");
  }
}

int RegFileImporter::importFile(const std::string& path) {
  std::string commandLine = "regedit.exe /s \"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw std::runtime_error("cannot start " + commandLine);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

}  // namespace marovel::testing
