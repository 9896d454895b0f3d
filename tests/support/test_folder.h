// A fresh folder for one test, whose whole contents (hidden leftovers included) can be compared
// before and after, so that a test sees every stray or changed file.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace marovel::testing {

// UTF-8 name, bytes; "(folder)", "(fifo)", "(device)" or "(link to TARGET)" for what is no file.
using FolderContents = std::map<std::string, std::string>;

// Every entry of the folder (not below it) with its bytes.
FolderContents contentsOf(const std::filesystem::path& folder);

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();  // removes it with everything in it
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& root() const { return path_; }
  // The name is UTF-8 on every platform.
  std::filesystem::path path(const std::string& name) const;
  void put(const std::string& name, const std::string& bytes) const;
  void putFolder(const std::string& name) const;
  FolderContents contents() const;

 private:
  std::filesystem::path path_;
};

}  // namespace marovel::testing
