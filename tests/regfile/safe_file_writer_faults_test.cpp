// A full disk, a folder the user may not write, and names that are no file of the user's own: an
// older file stays byte for byte, no stray file is left, and a failure is never reported as done.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "case_name.h"
#include "posix_faults.h"
#include "safe_file_writer.h"
#include "test_folder.h"

namespace marovel::regfile {
namespace {

using testing::FolderContents;
using testing::TestFolder;

enum class Fault { SizeLimit, UnwritableFolder };

struct FaultCase {
  const char* what;
  Fault fault;
  FolderContents before;
};

class SafeFileWriterFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SafeFileWriterFault, LeavesTheFolderAsItWas) {
  const FaultCase& c = GetParam();
  TestFolder folder;
  for (const auto& [name, bytes] : c.before) folder.put(name, bytes);
  const std::string large(70000, 'x');
  if (c.fault == Fault::SizeLimit) {
    testing::FileSizeLimit limit(64 * 1024);
    EXPECT_THROW(writeFileSafely(folder.path("a.reg"), large), FileWriteError);
  } else {
    testing::makeUnwritable(folder.root());
    testing::WithoutRootRights nobody;
    EXPECT_THROW(writeFileSafely(folder.path("a.reg"), "x"), FileWriteError);
  }
  EXPECT_EQ(folder.contents(), c.before);
}

INSTANTIATE_TEST_SUITE_P(Cases, SafeFileWriterFault,
                         ::testing::Values(FaultCase{"full disk", Fault::SizeLimit, {}},
                                           FaultCase{"full disk keeps older file", Fault::SizeLimit, {{"a.reg", "older"}}},
                                           FaultCase{"unwritable folder", Fault::UnwritableFolder, {}},
                                           FaultCase{"unwritable folder keeps older file", Fault::UnwritableFolder,
                                                     {{"a.reg", "older"}}}),
                         testing::CaseName());

// What "a.reg" is before the write. The names the writer refuses are rows of marovel-reg's
// export table (tests/tools), which also checks the one-line reason.
enum class Name { Fifo, Device, Link, ForeignLink, SetuidTarget };

struct NameCase {
  const char* what;
  Name name;
  bool succeeds;
  FolderContents after;
  mode_t fileMode;  // of file.reg afterwards, 0 without one
};

class SafeFileWriterMeets : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeFileWriterMeets, WritesWhatWasMeantOrLeavesEverythingAsItWas) {
  const NameCase& c = GetParam();
  TestFolder folder;
  const std::string target = folder.path("a.reg").string();
  const std::string file = folder.path("file.reg").string();
  int reader = -1;
  if (c.name == Name::Fifo) {
    ASSERT_EQ(mkfifo(target.c_str(), 0644), 0);
    reader = open(target.c_str(), O_RDONLY | O_NONBLOCK);
  } else if (c.name == Name::Device) {
    ASSERT_EQ(mknod(target.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);  // as /dev/null
  } else {
    folder.put("file.reg", "older");
    ASSERT_EQ(chmod(file.c_str(), c.name == Name::SetuidTarget ? 04755 : 0640), 0);
    ASSERT_EQ(symlink("file.reg", target.c_str()), 0);
    ASSERT_TRUE(c.name != Name::ForeignLink || lchown(target.c_str(), testing::kNobody, testing::kNobody) == 0);
  }
  bool refused = false;
  try {
    writeFileSafely(target, "new");
  } catch (const FileWriteError&) {
    refused = true;
  }
  EXPECT_EQ(refused, !c.succeeds);
  EXPECT_EQ(folder.contents(), c.after);
  char bytes[8] = {};
  EXPECT_TRUE(reader < 0 || (read(reader, bytes, sizeof bytes) == 3 && std::string(bytes) == "new")) << bytes;
  if (reader >= 0) close(reader);
  struct stat status {};
  EXPECT_EQ(stat(file.c_str(), &status) == 0 ? status.st_mode & 07777 : 0, c.fileMode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SafeFileWriterMeets,
    ::testing::Values(
        NameCase{"FIFO with a reader", Name::Fifo, true, {{"a.reg", "(fifo)"}}, 0},
        NameCase{"device", Name::Device, true, {{"a.reg", "(device)"}}, 0},
        NameCase{"link", Name::Link, true, {{"a.reg", "(link to file.reg)"}, {"file.reg", "new"}}, 0640},
        NameCase{"another user's link", Name::ForeignLink, false, {{"a.reg", "(link to file.reg)"}, {"file.reg", "older"}},
                 0640},
        NameCase{"link to a setuid file", Name::SetuidTarget, true, {{"a.reg", "(link to file.reg)"}, {"file.reg", "new"}},
                 0755}),
    testing::CaseName());

TEST(SafeFileWriter, TakesWildcardsLiterallyAndKeepsAReplacedFilesPermissions) {
  TestFolder folder;
  folder.put("a.reg", "other");
  folder.put("b.reg", "older");
  ASSERT_EQ(chmod(folder.path("b.reg").c_str(), 0640), 0);
  writeFileSafely(folder.path("*.reg"), "star");
  writeFileSafely(folder.path("b.reg"), "newer");
  EXPECT_EQ(folder.contents(), (FolderContents{{"*.reg", "star"}, {"a.reg", "other"}, {"b.reg", "newer"}}));
  struct stat replaced {};
  ASSERT_EQ(stat(folder.path("b.reg").c_str(), &replaced), 0);
  EXPECT_EQ(replaced.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace marovel::regfile
