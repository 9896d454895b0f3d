#include "posix_faults.h"

#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace marovel::testing {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  signalBefore_ = std::signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &before_);
  rlimit limit = before_;
  limit.rlim_cur = bytes;
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot set a file-size limit");
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &before_);
  std::signal(SIGXFSZ, signalBefore_);
}

void makeUnwritable(const std::filesystem::path& folder) {
  using std::filesystem::perms;
  std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::group_read | perms::group_exec |
                                           perms::others_read | perms::others_exec);
}

void giveToNobody(const std::filesystem::path& file, NobodysFile kind) {
  const bool own = kind == NobodysFile::ReadOnlyInTheirFolder;
  const std::string folder = file.parent_path().string();
  if (chmod(folder.c_str(), own ? 0755 : 01777) != 0 || chmod(file.c_str(), own ? 0444 : 0666) != 0 ||
      chown(file.c_str(), kNobody, kNobody) != 0 || (own && chown(folder.c_str(), kNobody, kNobody) != 0)) {
    throw std::runtime_error("cannot give " + file.string() + " to nobody");
  }
}

// Real and effective ids both, so that access() judges as nobody too; the saved ids stay root's
// so that the rights can come back.
WithoutRootRights::WithoutRootRights(bool wanted) : dropped_(wanted && geteuid() == 0) {
  if (dropped_ && (setresgid(kNobody, kNobody, 0) != 0 || setresuid(kNobody, kNobody, 0) != 0)) {
    throw std::runtime_error("cannot act as nobody");
  }
}

WithoutRootRights::~WithoutRootRights() {
  if (dropped_) (void)(setresuid(0, 0, 0) + setresgid(0, 0, 0));
}

}  // namespace marovel::testing
