// A store file of its own for each test.
#include <filesystem>
#include <fstream>

#include "temp_registry.h"
#include "temporary_store.h"

namespace marovel::testing {

struct TempRegistry::Platform {
  TemporaryStore store;
};

TempRegistry::TempRegistry() : platform_(std::make_unique<Platform>()) {}

TempRegistry::~TempRegistry() = default;

void TempRegistry::clear() {
  platform_->store.deleteKey("Software\\Qorvi");
}

void TempRegistry::refuseWrites() {
  using std::filesystem::perms;
  std::filesystem::permissions(platform_->store.path(), perms::owner_write | perms::group_write | perms::others_write,
                               std::filesystem::perm_options::remove);
}

// A new file in the store's place, as a damaged copy put there would be: the process's open
// store notices the path names another file.
void TempRegistry::damage() {
  const std::string damaged = platform_->store.path() + ".damaged";
  std::ofstream(damaged, std::ios::binary | std::ios::trunc) << std::string(8192, '\x5A');
  std::filesystem::rename(damaged, platform_->store.path());
}

}  // namespace marovel::testing
