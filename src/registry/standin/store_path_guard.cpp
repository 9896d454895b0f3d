#include "store_path_guard.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <deque>

#include "standin_store.h"

namespace marovel::standin {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel follows them

// A group's write counts unless the group is root's own.
bool othersMayWrite(const struct stat& status) {
  return (status.st_mode & S_IWOTH) != 0 || ((status.st_mode & S_IWGRP) != 0 && status.st_gid != 0);
}

std::deque<std::string> componentsOf(const std::string& path) {
  std::deque<std::string> components;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    if (slash > start) components.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return components;
}

class Walk {
 public:
  explicit Walk(const std::string& store) : store_(store) { enter(""); }

  [[noreturn]] void refuse(const std::string& why) const {
    throw StoreError(ERROR_ACCESS_DENIED, store_ + " is not used as root: " + why);
  }

  void enter(const std::string& folder) {
    resolved_ = folder;
    if (::lstat(shown().c_str(), &folder_) != 0) refuse("cannot examine " + shown());
  }

  std::string shown() const { return resolved_.empty() ? "/" : resolved_; }
  std::string entry(const std::string& name) const { return resolved_ + "/" + name; }
  bool folderWritableByOthers() const { return othersMayWrite(folder_); }
  bool folderSticky() const { return (folder_.st_mode & S_ISVTX) != 0; }
  void up() { enter(resolved_.substr(0, resolved_.rfind('/'))); }

 private:
  std::string store_;
  std::string resolved_;  // "" for the root folder
  struct stat folder_ {};
};

}  // namespace

std::string trustedStorePath(const std::string& path) {
  if (::geteuid() != 0 || path.empty()) return path;
  std::string absolute = path;
  if (path.front() != '/') {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) == nullptr) throw StoreError(ERROR_ACCESS_DENIED, "cannot tell where " + path + " is");
    absolute = std::string(cwd) + "/" + path;
  }
  Walk walk(path);
  if (walk.folderWritableByOthers()) walk.refuse("another user may write /");
  std::deque<std::string> pending = componentsOf(absolute);
  int links = 0;
  while (!pending.empty()) {
    const std::string name = std::move(pending.front());
    pending.pop_front();
    if (name == ".") continue;
    if (name == "..") {
      walk.up();
      continue;
    }
    const std::string entry = walk.entry(name);
    const bool last = pending.empty();
    struct stat status {};
    const bool exists = ::lstat(entry.c_str(), &status) == 0;
    const int error = errno;
    // Whoever may write a folder controls its entries, except in a sticky one (/tmp), where only
    // an entry's owner may remove it; the store's own folder is root's alone all the same.
    const bool storeHere = last && (!exists || !S_ISLNK(status.st_mode));
    if (walk.folderWritableByOthers() && (storeHere || !walk.folderSticky())) {
      walk.refuse("another user may write " + walk.shown());
    }
    // A store not made yet; anything else missing is for the opening to report.
    if (!exists) return last && error == ENOENT ? entry : path;
    if (status.st_uid != 0) walk.refuse(entry + " belongs to another user");
    if (S_ISLNK(status.st_mode)) {
      if (++links > kMaxLinks) walk.refuse("too many links on the way");
      std::string text(PATH_MAX, '\0');
      const ssize_t length = ::readlink(entry.c_str(), text.data(), text.size());
      if (length < 0) walk.refuse("cannot read the link " + entry);
      text.resize(static_cast<std::size_t>(length));
      auto target = componentsOf(text);
      pending.insert(pending.begin(), target.begin(), target.end());
      if (text.starts_with('/')) walk.enter("");
      continue;
    }
    // A folder's own write is judged when an entry in it is: there a sticky one may pass.
    if (S_ISDIR(status.st_mode) && !last) {
      walk.enter(entry);
      continue;
    }
    if (othersMayWrite(status)) walk.refuse("another user may write " + entry);
    return last ? entry : path;  // else not a folder: for the opening to report
  }
  return walk.shown();
}

}  // namespace marovel::standin
