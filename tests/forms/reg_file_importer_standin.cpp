// Each test gets a store file of its own; the built marovel-reg imports into it.
#include "child_process.h"
#include "reg_file_importer.h"
#include "standin_store.h"
#include "temporary_store.h"

namespace marovel::testing {

struct RegFileImporter::Platform {
  TemporaryStore store;
};

RegFileImporter::RegFileImporter() : platform_(std::make_unique<Platform>()) {}

RegFileImporter::~RegFileImporter() = default;

void RegFileImporter::removeAgentTree() {
  standin::Session session(platform_->store.path(), standin::Session::Mode::Write);
  session.deleteKey("Software\\Qorvi");
  session.commit();
}

// The built tool, on the store that MAROVEL_REGISTRY names.
int RegFileImporter::importFile(const std::string& path) {
  ChildProcess importer({MAROVEL_REG_PROGRAM, "import", path});
  while (importer.readLine()) {
  }
  return importer.wait();
}

}  // namespace marovel::testing
