#include "test_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace marovel::testing {

namespace fs = std::filesystem;

namespace {

std::string utf8NameOf(const fs::path& path) {
  const std::u8string name = path.filename().u8string();
  return {reinterpret_cast<const char*>(name.data()), name.size()};
}

}  // namespace

TestFolder::TestFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("marovel-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("cannot make a test folder");
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

fs::path TestFolder::path(const std::string& name) const {
  return path_ / fs::path(std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

void TestFolder::put(const std::string& name, const std::string& bytes) const {
  std::ofstream file(path(name), std::ios::binary);
  file << bytes;
  if (!file.flush()) throw std::runtime_error("cannot write " + name);
}

void TestFolder::putFolder(const std::string& name) const { fs::create_directory(path(name)); }

FolderContents TestFolder::contents() const { return contentsOf(path_); }

FolderContents contentsOf(const fs::path& folder) {
  FolderContents contents;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = utf8NameOf(entry.path());
    // What is not a file is named, never read: reading a FIFO would wait for a writer.
    if (entry.is_symlink()) {
      contents[name] = "(link to " + fs::read_symlink(entry.path()).string() + ")";
      continue;
    }
    if (entry.is_directory() || entry.is_fifo() || entry.is_character_file()) {
      contents[name] = entry.is_directory() ? "(folder)" : entry.is_fifo() ? "(fifo)" : "(device)";
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    contents[name] = std::string(std::istreambuf_iterator<char>(file), {});
  }
  return contents;
}

}  // namespace marovel::testing
