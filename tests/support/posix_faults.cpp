#include "posix_faults.h"

#include <unistd.h>

#include <stdexcept>

namespace marovel::testing {
namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

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

WithoutRootRights::WithoutRootRights(bool wanted) : dropped_(wanted && geteuid() == 0) {
  if (dropped_ && seteuid(kNobody) != 0) throw std::runtime_error("cannot act as nobody");
}

WithoutRootRights::~WithoutRootRights() {
  if (dropped_) (void)seteuid(0);
}

}  // namespace marovel::testing
