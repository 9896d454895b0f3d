// The built marovel-reg imports into the test's own store.
#include "child_process.h"
#include "reg_file_importer.h"

namespace marovel::testing {

int RegFileImporter::importFile(const std::string& path) {
  ChildProcess importer({MAROVEL_REG_PROGRAM, "import", path});
  while (importer.readLine()) {
  }
  return importer.wait();
}

}  // namespace marovel::testing
