// Wine's own reg.exe imports, as an administrator deploys the file where the agent reads it.
#include <filesystem>

#include "reg_file_importer.h"
#include "windows_command.h"

namespace marovel::testing {

int RegFileImporter::importFile(const std::string& path) {
  return runCommand(L"reg.exe import \"" + std::filesystem::path(path).wstring() + L"\" /reg:32");
}

}  // namespace marovel::testing
