// Under Wine, so that no real machine's keys are ever touched.
#include <windows.h>

#include <filesystem>
#include <stdexcept>

#include "reg_file_importer.h"
#include "windows_command.h"

namespace marovel::testing {

struct RegFileImporter::Platform {};

RegFileImporter::RegFileImporter(ImportView view) : platform_(std::make_unique<Platform>()), view_(view) {
  requireWine("keys of HKEY_LOCAL_MACHINE");
}

RegFileImporter::~RegFileImporter() = default;

void RegFileImporter::removeKey(const std::string& keyPath) {
  const REGSAM view = view_ == ImportView::Agent ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  const LONG result = deleteKeyTree(keyPath, view);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete HKEY_LOCAL_MACHINE\\" + keyPath);
  }
}

int RegFileImporter::importFile(const std::string& path) {
  const std::wstring file = std::filesystem::path(path).wstring();
  if (view_ == ImportView::Agent) return runCommand(L"reg.exe import \"" + file + L"\" /reg:32");
  return runCommand(L"regedit.exe /s \"" + file + L"\"");
}

}  // namespace marovel::testing
