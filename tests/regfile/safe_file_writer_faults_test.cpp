// A full disk and a folder the user may not write: an older file stays byte for byte and no
// stray file is left.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
