#include "temporary_store.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "standin_store.h"

TemporaryStore::TemporaryStore() {
  std::string pattern = (std::filesystem::temp_directory_path() / "marovel-store-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
  path_ = directory_ + "/registry.sqlite3";
  setenv("MAROVEL_REGISTRY", path_.c_str(), 1);
}

bool TemporaryStore::deleteKey(const std::string& keyPath) const {
  marovel::standin::Session session(path_, marovel::standin::Session::Mode::Write);
  const bool deleted = session.deleteKey(keyPath);
  session.commit();
  return deleted;
}

TemporaryStore::~TemporaryStore() {
  unsetenv("MAROVEL_REGISTRY");
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}
