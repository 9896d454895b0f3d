// Faults a test provokes on purpose on POSIX systems: a full disk (a file-size limit stands in
// for it) and a user without rights (root acts as "nobody" meanwhile, since permissions do not
// hold root back).
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <csignal>
#include <filesystem>

namespace marovel::testing {

// While this lives, no file of this process may grow beyond `bytes`; a write past it fails with
// EFBIG instead of killing the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_{};
  void (*signalBefore_)(int) = SIG_DFL;
};

// Leaves the folder readable and enterable by anyone, writable by no one.
void makeUnwritable(const std::filesystem::path& folder);

// While this lives, a process running as root acts as "nobody"; anyone else stays who they are.
class WithoutRootRights {
 public:
  explicit WithoutRootRights(bool wanted = true);
  ~WithoutRootRights();
  WithoutRootRights(const WithoutRootRights&) = delete;
  WithoutRootRights& operator=(const WithoutRootRights&) = delete;

 private:
  bool dropped_;
};

}  // namespace marovel::testing
