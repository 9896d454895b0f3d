// The built marovel-reg imports into a store of the test's own; the stand-in has one view, and
// marovel-reg takes /reg:32 as reg.exe does.
#include "child_process.h"
#include "reg_file_importer.h"
#include "temporary_store.h"

namespace marovel::testing {

struct RegFileImporter::Platform {
  TemporaryStore store;
};

RegFileImporter::RegFileImporter(ImportView view) : platform_(std::make_unique<Platform>()), view_(view) {}

RegFileImporter::~RegFileImporter() = default;

void RegFileImporter::removeKey(const std::string& keyPath) {
  platform_->store.deleteKey(keyPath);
}

// The built tool, on the store that MAROVEL_REGISTRY names.
int RegFileImporter::importFile(const std::string& path) {
  std::vector<std::string> command{MAROVEL_REG_PROGRAM, "import", path};
  if (view_ == ImportView::Agent) command.push_back("/reg:32");
  ChildProcess importer(command);
  while (importer.readLine()) {
  }
  return importer.wait();
}

}  // namespace marovel::testing
