// The built program: the store MAROVEL_REGISTRY names, standard output, standard error, exit code.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>

#include "file_io.h"

namespace marovel::reg_tool {
namespace {

namespace fs = std::filesystem;

TEST(MarovelRegProgram, WorksOnTheStoreTheEnvironmentNamesAndReportsFailuresByExitCode) {
  std::string pattern = (fs::temp_directory_path() / "marovel-reg-program-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  const fs::path store = dir / "store.sqlite3";
  auto run = [&](const std::string& args) {
    const std::string command = "MAROVEL_REGISTRY='" + store.string() + "' '" MAROVEL_REG_PROGRAM "' " + args +
                                " >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };

  EXPECT_EQ(run("add 'HKLM\\A' /v n /t REG_DWORD /d 0x10"), 0);
  EXPECT_TRUE(fs::exists(store));
  EXPECT_EQ(run("query 'HKLM\\A'"), 0);
  EXPECT_EQ(readWholeFile((dir / "out").string()), "\nHKEY_LOCAL_MACHINE\\A\n    n    REG_DWORD    0x10\n");

  EXPECT_EQ(run("query 'HKLM\\A' /nope"), 1);
  EXPECT_EQ(readWholeFile((dir / "err").string()), "marovel-reg: unknown option /nope for query\n");
  EXPECT_EQ(run(""), 0);
  EXPECT_TRUE(readWholeFile((dir / "out").string()).starts_with("Usage: marovel-reg"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace marovel::reg_tool
