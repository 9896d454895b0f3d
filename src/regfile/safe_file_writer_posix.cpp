// POSIX: mkstemp beside the target, fsync, rename, then fsync of the folder so the rename lasts.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "safe_file_writer.h"

namespace marovel::regfile {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const fs::path& target, int error) {
  throw FileWriteError("cannot write " + target.string() + ": " + std::strerror(error));
}

// A replaced file keeps its permissions; a new one gets what the umask allows.
mode_t modeFor(const fs::path& target) {
  struct stat existing {};
  if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

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

void syncFolderOf(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the rename has happened; only its durability is less sure
  ::fsync(fd);
  ::close(fd);
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target)
      : path_((target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string()) {
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) path_.clear();
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool opened() const { return fd_ >= 0; }

  // Returns 0 or the errno of the step that failed.
  int fill(std::string_view bytes, mode_t mode) {
    if (!writeAll(fd_, bytes) || ::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) return errno;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

  int renameTo(const fs::path& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
    path_.clear();
    return 0;
  }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace

void writeFileSafely(const fs::path& target, std::string_view bytes) {
  const mode_t mode = modeFor(target);
  TemporaryFile temporary(target);
  if (!temporary.opened()) fail(target, errno);
  if (const int error = temporary.fill(bytes, mode)) fail(target, error);
  if (const int error = temporary.renameTo(target)) fail(target, error);
  syncFolderOf(target);
}

}  // namespace marovel::regfile
