// POSIX: what the name finally is decides. A regular file (or no file) is replaced: a temporary
// file in the same folder, fsync, rename, fsync of the folder. A FIFO, a character device or an
// open descriptor's name is written into, since there is no older file to keep there. Anything
// else is refused.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "safe_file_writer.h"

namespace marovel::regfile {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as the kernel follows them

[[noreturn]] void fail(const fs::path& target, const std::string& reason) {
  throw FileWriteError("cannot write " + target.string() + ": " + reason);
}

[[noreturn]] void fail(const fs::path& target, int error) { fail(target, std::strerror(error)); }

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A folder and a name in it: every later step works in this folder, so that a folder on the way
// that changes meanwhile cannot send the temporary file or the rename elsewhere.
struct PlaceOfName {
  Descriptor folder;
  std::string name;
};

PlaceOfName placeOf(const fs::path& target, const fs::path& shownName) {
  const std::string name = target.filename().string();
  if (name.empty() || name == "." || name == "..") fail(shownName, EISDIR);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // A folder one may write and enter but not list is still a place to write.
  if (fd.get() < 0 && errno == EACCES) fd = Descriptor(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) fail(shownName, errno);
  return {std::move(fd), name};
}

struct FinalName {
  fs::path path;
  bool throughDescriptor;  // an open descriptor's name (/dev/stdout leads to /proc/self/fd/1)
};

// Follows links at the end of the name, each only if its owner is this user or root: a link
// another user planted never leads this writer anywhere. Returns where the last one leads.
FinalName finalName(const fs::path& target) {
  FinalName final{target, false};
  fs::path& name = final.path;
  for (int links = 0;; ++links) {
    struct stat status {};
    if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return final;
    if (links == kMaxLinks) fail(target, ELOOP);
    if (name.string().starts_with("/proc/")) final.throughDescriptor = true;
    if (status.st_uid != ::geteuid() && status.st_uid != 0) fail(target, "the link belongs to another user");
    std::string text(PATH_MAX, '\0');  // not st_size: /proc's links report less than they hold
    const ssize_t length = ::readlink(name.c_str(), text.data(), text.size());
    if (length < 0) fail(target, errno);
    text.resize(static_cast<std::size_t>(length));
    name = name.parent_path() / text;  // an absolute text replaces the whole
  }
}

// Into a FIFO, a device or what an open descriptor names: opened without waiting, so that a FIFO
// nobody reads is an error and not a hang, and appending, so that "marovel-reg export KEY
// /dev/stdout >> all.reg" keeps what the file held.
void writeInto(const fs::path& target, std::string_view bytes, bool fileAllowed) {
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 && errno == ENXIO) fail(target, "no process reads from it");
  if (fd.get() < 0) fail(target, errno);
  struct stat opened {};
  if (::fstat(fd.get(), &opened) != 0) fail(target, errno);
  if (!S_ISFIFO(opened.st_mode) && !S_ISCHR(opened.st_mode) && !(fileAllowed && S_ISREG(opened.st_mode))) {
    fail(target, "it changed while it was written");
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 || !writeAll(fd.get(), bytes)) {
    fail(target, errno);
  }
  if (::close(fd.release()) != 0) fail(target, errno);
}

// What the new file gets from the one it replaces: its permission bits (never setuid, setgid or
// sticky) and its group. Only this user's own file that its owner may write is replaced.
struct Inherited {
  mode_t mode;
  gid_t group;
};

// `expected` is the file that was examined before; the name must still hold it.
Inherited inheritedFrom(const PlaceOfName& place, const fs::path& shownName, const std::optional<struct stat>& expected) {
  struct stat existing {};
  if (::fstatat(place.folder.get(), place.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT) fail(shownName, errno);
    if (expected) fail(shownName, "it changed while it was written");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return {static_cast<mode_t>(0666 & ~mask), static_cast<gid_t>(-1)};
  }
  if (S_ISDIR(existing.st_mode)) fail(shownName, EISDIR);
  if (!S_ISREG(existing.st_mode) ||
      (expected && (existing.st_dev != expected->st_dev || existing.st_ino != expected->st_ino))) {
    fail(shownName, "it changed while it was written");
  }
  if (existing.st_uid != ::geteuid()) fail(shownName, "the file belongs to another user");
  if ((existing.st_mode & S_IWUSR) == 0) fail(shownName, "the file is read-only");
  return {static_cast<mode_t>(existing.st_mode & 0777), existing.st_gid};
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const PlaceOfName& place) : folder_(place.folder.get()) {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      name_ = "." + place.name + "." + std::to_string(random() % 1000000);
      fd_ = ::openat(folder_, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) name_.clear();
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool opened() const { return fd_ >= 0; }

  // Returns 0 or the errno of the step that failed.
  int fill(std::string_view bytes, const Inherited& from) {
    if (!writeAll(fd_, bytes)) return errno;
    // Where the group cannot be kept, it gets no more than everyone else.
    mode_t mode = from.mode;
    if (from.group != static_cast<gid_t>(-1) && ::fchown(fd_, static_cast<uid_t>(-1), from.group) != 0) {
      mode = (mode & ~070) | ((mode & 07) << 3);
    }
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) return errno;
    return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
  }

  int renameTo(const std::string& name) {
    if (::renameat(folder_, name_.c_str(), folder_, name.c_str()) != 0) return errno;
    name_.clear();
    return 0;
  }

 private:
  int folder_;
  std::string name_;
  int fd_ = -1;
};

void replace(const fs::path& file, const fs::path& shownName, std::string_view bytes,
             const std::optional<struct stat>& expected) {
  const PlaceOfName place = placeOf(file, shownName);
  // First the temporary file, so that a folder one may not write is reported as that.
  TemporaryFile temporary(place);
  if (!temporary.opened()) fail(shownName, errno);
  const Inherited from = inheritedFrom(place, shownName, expected);
  if (const int error = temporary.fill(bytes, from)) fail(shownName, error);
  // The name is replaced as a name: whatever was swapped in since the check is not followed.
  if (const int error = temporary.renameTo(place.name)) fail(shownName, error);
  ::fsync(place.folder.get());  // the rename has happened; only its durability is less sure
}

}  // namespace

bool isPlaceToWriteInto(const fs::path& target) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) return false;
  if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) return true;
  try {
    return S_ISREG(status.st_mode) && finalName(target).throughDescriptor;
  } catch (const FileWriteError&) {
    return false;  // writing will say why
  }
}

void writeFileSafely(const fs::path& target, std::string_view bytes) {
  const FinalName file = finalName(target);
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    if (errno != ENOENT) fail(target, errno);
    if (file.path != target) fail(target, "the link names no file");
    replace(file.path, target, bytes, std::nullopt);
    return;
  }
  if (S_ISDIR(status.st_mode)) fail(target, EISDIR);
  if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) return writeInto(target, bytes, false);
  if (!S_ISREG(status.st_mode)) fail(target, "it is not a file");
  if (file.throughDescriptor) return writeInto(target, bytes, true);
  replace(file.path, target, bytes, status);
}

}  // namespace marovel::regfile
