// Saving over a file on Windows keeps what Windows keeps with a replaced file (its attributes, and
// with them its permissions), and a read-only file is refused and left as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "safe_file_writer.h"
#include "test_folder.h"

namespace marovel::regfile {
namespace {

TEST(SafeFileWriterOnWindows, KeepsAReplacedFilesAttributesAndRefusesAReadOnlyFile) {
  testing::TestFolder folder;
  folder.put("hidden.reg", "older");
  folder.put("read-only.reg", "older");
  const auto hidden = folder.path("hidden.reg");
  const auto readOnly = folder.path("read-only.reg");
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));

  writeFileSafely(hidden, "newer");
  EXPECT_THROW(writeFileSafely(readOnly, "newer"), FileWriteError);

  EXPECT_EQ(GetFileAttributesW(hidden.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            DWORD{FILE_ATTRIBUTE_HIDDEN});
  EXPECT_EQ(GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  EXPECT_EQ(folder.contents(), (testing::FolderContents{{"hidden.reg", "newer"}, {"read-only.reg", "older"}}));
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
}

}  // namespace
}  // namespace marovel::regfile
