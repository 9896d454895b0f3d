// Every way a save can end: the file written whole, or an error and the folder exactly as before.
#include "safe_file_writer.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "test_folder.h"

namespace marovel::regfile {
namespace {

using testing::FolderContents;
using testing::TestFolder;

struct SaveCase {
  const char* what;
  const char* target;
  FolderContents before;
  bool succeeds;
};

class SafeFileWriter : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SafeFileWriter, WritesAllOrLeavesTheFolderAsItWas) {
  const SaveCase& c = GetParam();
  TestFolder folder;
  for (const auto& [name, bytes] : c.before) bytes == "(folder)" ? folder.putFolder(name) : folder.put(name, bytes);
  FolderContents expected = c.before;
  if (c.succeeds) {
    writeFileSafely(folder.path(c.target), "new\r\nbytes");
    expected[c.target] = "new\r\nbytes";
  } else {
    EXPECT_THROW(writeFileSafely(folder.path(c.target), "new\r\nbytes"), FileWriteError);
  }
  EXPECT_EQ(folder.contents(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SafeFileWriter,
    ::testing::Values(SaveCase{"new file", "a.reg", {}, true},
                      SaveCase{"older file replaced", "a.reg", {{"a.reg", "older"}, {"b.reg", "other"}}, true},
                      SaveCase{"name with blanks and umlaut", "M\xC3\xBCller agent.reg", {}, true},
                      SaveCase{"missing folder", "missing/a.reg", {}, false},
                      SaveCase{"name of a folder", "sub", {{"sub", "(folder)"}}, false}),
    testing::CaseName());

TEST(SafeFileWriter, NamesTheFileInItsError) {
  TestFolder folder;
  try {
    writeFileSafely(folder.path("missing/a.reg"), "x");
    FAIL() << "written";
  } catch (const FileWriteError& error) {
    EXPECT_NE(std::string(error.what()).find("a.reg"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace marovel::regfile
