// Wine's own reg.exe imports, as an administrator deploys the file where the agent reads it.
#include <windows.h>

#include <stdexcept>

#include "reg_file_importer.h"

namespace marovel::testing {

int RegFileImporter::importFile(const std::string& path) {
  std::string commandLine = "reg.exe import \"" + path + "\" /reg:32";
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
