// The agent's registry for a test that imports REGEDIT4 files into it the platform's own way:
// regedit /s on Windows, marovel-reg import on the stand-in store.
#pragma once

#include <memory>
#include <string>

namespace marovel::testing {

class RegFileImporter {
 public:
  // Windows: refuses to run anywhere but in Wine, whose prefix is thrown away after the tests.
  // Stand-in: a fresh store of its own.
  RegFileImporter();
  ~RegFileImporter();
  RegFileImporter(const RegFileImporter&) = delete;
  RegFileImporter& operator=(const RegFileImporter&) = delete;

  // Deletes HKEY_LOCAL_MACHINE\Software\Qorvi with everything below it.
  void removeAgentTree();
  // The importer's exit code.
  int importFile(const std::string& path);

 private:
  struct Platform;
  std::unique_ptr<Platform> platform_;
};

}  // namespace marovel::testing
