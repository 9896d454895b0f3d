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

void TempRegistry::refuseWrites() {
  using std::filesystem::perms;
  std::filesystem::permissions(platform_->store.path(), perms::owner_write | perms::group_write | perms::others_write,
                               std::filesystem::perm_options::remove);
}

void TempRegistry::damage() {
  std::ofstream(platform_->store.path(), std::ios::binary | std::ios::trunc) << std::string(8192, '\x5A');
}

}  // namespace marovel::testing
