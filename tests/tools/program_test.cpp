// The built program: the store MAROVEL_REGISTRY names, standard output, standard error, exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "file_io.h"
#include "temporary_store.h"
#include "test_folder.h"

namespace marovel::reg_tool {
namespace {

TEST(MarovelRegProgram, WorksOnTheStoreTheEnvironmentNamesAndReportsFailuresByExitCode) {
  const TemporaryStore store;  // names itself in MAROVEL_REGISTRY
  const std::string out = store.directory() + "/out";
  const std::string err = store.directory() + "/err";
  auto run = [&](const std::string& args) {
    const std::string command = "'" MAROVEL_REG_PROGRAM "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };

  EXPECT_EQ(run("add 'HKLM\\A' /v n /t REG_DWORD /d 0x10"), 0);
  EXPECT_TRUE(std::filesystem::exists(store.path()));
  EXPECT_EQ(run("query 'HKLM\\A'"), 0);
  EXPECT_EQ(readWholeFile(out), "\nHKEY_LOCAL_MACHINE\\A\n    n    REG_DWORD    0x10\n");

  // /dev/stdout is a place to write into, whatever standard output is: a file, or a pipe.
  for (const std::string pipe : {"", " | cat"}) {
    EXPECT_EQ(run("export 'HKLM\\A' /dev/stdout" + pipe), 0);
    EXPECT_EQ(readWholeFile(out), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"n\"=dword:00000010\r\n");
  }

  EXPECT_EQ(run("query 'HKLM\\A' /nope"), 1);
  EXPECT_EQ(readWholeFile(err), "marovel-reg: unknown option /nope for query\n");
  EXPECT_EQ(run(""), 0);
  EXPECT_TRUE(readWholeFile(out).starts_with("Usage: marovel-reg"));
  // As reg.exe answers "reg import /?".
  EXPECT_EQ(run("import /h"), 0);
  EXPECT_TRUE(readWholeFile(out).starts_with("Usage: marovel-reg import FILE.reg"));
  EXPECT_NE(readWholeFile(out).find("refuses the whole file"), std::string::npos);
}

// A full disk (here a file-size limit) while exporting over an older file.
TEST(MarovelRegProgram, KeepsAnOlderFileWhenAnExportCannotBeWrittenWhole) {
  const TemporaryStore store;
  testing::TestFolder folder;
  folder.put("old.reg", "older");
  const std::string add = "'" MAROVEL_REG_PROGRAM "' add 'HKLM\\A' /v big /d " + std::string(70000, 'x') + " >/dev/null";
  ASSERT_EQ(std::system(add.c_str()), 0);
  const std::string err = store.directory() + "/err";
  const std::string exportCommand = "cd '" + folder.root().string() + "' && (ulimit -f 64; '" MAROVEL_REG_PROGRAM
                                    "' export 'HKLM\\A' old.reg /y) 2>'" + err + "'";
  const int status = std::system(exportCommand.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(readWholeFile(err), "marovel-reg: cannot write old.reg: File too large\n");
  EXPECT_EQ(folder.contents(), (testing::FolderContents{{"old.reg", "older"}}));
}

}  // namespace
}  // namespace marovel::reg_tool
