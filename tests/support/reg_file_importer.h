// The registry for a test that imports .reg files into it the platform's own way: regedit /s on
// Windows, marovel-reg import on the stand-in store.
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

  // Deletes the key below HKEY_LOCAL_MACHINE with everything below it, if it is there.
  void removeKey(const std::string& keyPath);
  // The importer's exit code.
  int importFile(const std::string& path);

 private:
  struct Platform;
  std::unique_ptr<Platform> platform_;
};

}  // namespace marovel::testing
