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

inline constexpr uid_t kNobody = 65534;

// Gives an existing file to "nobody": as their own read-only file in a folder of theirs, or as a
// file everyone may write in a sticky folder everyone may write, as in /tmp.
enum class NobodysFile { ReadOnlyInTheirFolder, WorldWritableInStickyFolder };
void giveToNobody(const std::filesystem::path& file, NobodysFile kind);

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
