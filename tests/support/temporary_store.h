// A stand-in store path in a fresh directory, named by MAROVEL_REGISTRY while this lives.
#pragma once

#include <string>

class TemporaryStore {
 public:
  TemporaryStore();
  ~TemporaryStore();  // removes the directory with everything in it
  TemporaryStore(const TemporaryStore&) = delete;
  TemporaryStore& operator=(const TemporaryStore&) = delete;

  const std::string& directory() const { return directory_; }
  const std::string& path() const { return path_; }  // the store file; not created here

  // Deletes the key below HKEY_LOCAL_MACHINE with everything below it; false when it is missing.
  bool deleteKey(const std::string& keyPath) const;

 private:
  std::string directory_;
  std::string path_;
};
