#include "temporary_store.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

TemporaryStore::TemporaryStore() {
  std::string pattern = (std::filesystem::temp_directory_path() / "marovel-store-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
  path_ = directory_ + "/registry.sqlite3";
  setenv("MAROVEL_REGISTRY", path_.c_str(), 1);
}

TemporaryStore::~TemporaryStore() {
  unsetenv("MAROVEL_REGISTRY");
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}
