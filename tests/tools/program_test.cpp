// The built program: the store MAROVEL_REGISTRY names, standard output, standard error, exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "file_io.h"
#include "temporary_store.h"

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

  EXPECT_EQ(run("query 'HKLM\\A' /nope"), 1);
  EXPECT_EQ(readWholeFile(err), "marovel-reg: unknown option /nope for query\n");
  EXPECT_EQ(run(""), 0);
  EXPECT_TRUE(readWholeFile(out).starts_with("Usage: marovel-reg"));
}

}  // namespace
}  // namespace marovel::reg_tool
