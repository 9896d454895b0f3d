// The registry for a test that imports .reg files into it the platform's own way, in the view it
// names: on Windows (only under Wine) `regedit /s` into the 64-bit view, as a double-click does,
// or `reg import FILE /reg:32` into the 32-bit view, where the agent reads; on the stand-in, which
// has one view, the built `marovel-reg import` into a store of the test's own.
#pragma once

#include <memory>
#include <string>

namespace marovel::testing {

enum class ImportView {
  Native,  // regedit /s
  Agent,   // reg import /reg:32
};

class RegFileImporter {
 public:
  explicit RegFileImporter(ImportView view = ImportView::Native);
  ~RegFileImporter();
  RegFileImporter(const RegFileImporter&) = delete;
  RegFileImporter& operator=(const RegFileImporter&) = delete;

  // Deletes the key below HKEY_LOCAL_MACHINE, in the importer's view, with everything below it.
  void removeKey(const std::string& keyPath);
  // The importer's exit code.
  int importFile(const std::string& path);

 private:
  struct Platform;
  std::unique_ptr<Platform> platform_;
  ImportView view_;
};

}  // namespace marovel::testing
