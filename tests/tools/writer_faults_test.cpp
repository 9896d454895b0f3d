// Two writers meeting a full disk (a file-size limit stands in for it), a folder it may not
// write, a missing folder, a name that is a folder's, a file or link that is no file of the
// user's own, a FIFO nobody reads, or a store that its user may only read or another user controls:
// marovel-reg export keeps an older file byte for byte and leaves no stray file; the stand-in
// store refuses with an error, stays intact and keeps every write it reported done.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>

#include "case_name.h"
#include "child_process.h"
#include "commands.h"
#include "posix_faults.h"
#include "safe_file_writer.h"
#include "standin_store.h"
#include "store_integrity.h"
#include "temporary_store.h"
#include "test_folder.h"
#include "win32_registry.h"

namespace marovel::reg_tool {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using testing::FolderContents;

constexpr rlim_t kSizeLimit = 64 * 1024;

int run(const Args& args, const std::string& store, std::string* err = nullptr) {
  std::ostringstream out;
  std::ostringstream errors;
  const int code = runTool(args, store, out, errors);
  if (err != nullptr) *err = errors.str();
  return code;
}

// A user who may only read the store must reach it: the test store's folder is private.
void letEveryoneRead(const TemporaryStore& store) {
  fs::permissions(store.directory(), fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec, fs::perm_options::add);
}

enum class Fault { SizeLimit, UnwritableFolder, MissingFolder, FolderName, ReaderOnly, ReadOnlyFile, ForeignFile,
                   DanglingLink, FifoWithoutReader, ForeignFolder, ForeignLink };
using testing::kNobody;

struct ExportFaultCase {
  const char* what;
  Fault fault;
  const char* fileName;
  const char* reason;
};

class ExportMeetsAFault : public ::testing::TestWithParam<ExportFaultCase> {};

TEST_P(ExportMeetsAFault, FailsWithOneLineAndLeavesTheFolderAsItWas) {
  const ExportFaultCase& c = GetParam();
  const TemporaryStore store;
  ASSERT_EQ(run({"add", "HKLM\\A", "/v", "big", "/d", std::string(70000, 'x')}, store.path()), 0);
  letEveryoneRead(store);
  const testing::TestFolder folder;
  folder.put("old.reg", "older");
  folder.putFolder("sub");
  const std::string target = folder.path(c.fileName).string();
  const std::string old = folder.path("old.reg").string();
  if (c.fault == Fault::ReadOnlyFile) testing::giveToNobody(old, testing::NobodysFile::ReadOnlyInTheirFolder);
  if (c.fault == Fault::ForeignFile) testing::giveToNobody(old, testing::NobodysFile::WorldWritableInStickyFolder);
  ASSERT_TRUE(c.fault != Fault::DanglingLink || symlink("missing.reg", target.c_str()) == 0);
  ASSERT_TRUE(c.fault != Fault::FifoWithoutReader || mkfifo(target.c_str(), 0644) == 0);
  const FolderContents before = folder.contents();

  std::string err;
  int code = 0;
  {
    std::optional<testing::FileSizeLimit> limit;
    if (c.fault == Fault::SizeLimit) limit.emplace(kSizeLimit);
    if (c.fault == Fault::UnwritableFolder) testing::makeUnwritable(folder.root());
    const testing::WithoutRootRights nobody(c.fault == Fault::UnwritableFolder || c.fault == Fault::ReadOnlyFile);
    code = run({"export", "HKLM\\A", target, "/y"}, store.path(), &err);
  }
  EXPECT_EQ(code, 1);
  EXPECT_EQ(err, "marovel-reg: cannot write " + target + ": " + c.reason + "\n");
  EXPECT_EQ(folder.contents(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportMeetsAFault,
    ::testing::Values(ExportFaultCase{"full disk", Fault::SizeLimit, "old.reg", "File too large"},
                      ExportFaultCase{"unwritable folder", Fault::UnwritableFolder, "old.reg", "Permission denied"},
                      ExportFaultCase{"missing folder", Fault::MissingFolder, "missing/old.reg",
                                      "No such file or directory"},
                      ExportFaultCase{"name of a folder", Fault::FolderName, "sub", "Is a directory"},
                      ExportFaultCase{"read-only file", Fault::ReadOnlyFile, "old.reg", "the file is read-only"},
                      ExportFaultCase{"another user's file", Fault::ForeignFile, "old.reg",
                                      "the file belongs to another user"},
                      ExportFaultCase{"dangling link", Fault::DanglingLink, "link.reg", "the link names no file"},
                      ExportFaultCase{"FIFO without a reader", Fault::FifoWithoutReader, "pipe.reg",
                                      "no process reads from it"}),
    testing::CaseName());

const char* const kSeededKey = "Software\\Qorvi\\Agent";
const char* const kWrittenKey = "Software\\Qorvi\\Written";

std::string regFileOf(const std::string& key, int values, std::size_t length) {
  std::string text = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + key + "]\r\n";
  for (int n = 0; n < values; ++n) text += "\"v" + std::to_string(n) + "\"=\"" + std::string(length, 'y') + "\"\r\n";
  return text;
}

// Every value of the key with its type and bytes, in the store's order; empty when it is missing.
std::vector<std::string> valuesOf(const std::string& store, const char* key) {
  standin::Session session(store, standin::Session::Mode::Read);
  std::vector<std::string> values;
  if (!session.storedKeyPath(key)) return values;
  for (const auto& value : session.values(key)) {
    values.push_back(value.name + "=" + std::to_string(value.type) + ":" +
                     std::string(value.data.begin(), value.data.end()));
  }
  return values;
}

// Writes values one call each, as the window does, until one is refused; the names written are
// those reported done.
int writeValuesUntilRefused(std::set<std::string>& reported) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kWrittenKey, 0, nullptr, REG_OPTION_NON_VOLATILE, 0x3F, nullptr,
                                &key, nullptr);
  const std::string data(1000, 'z');
  for (int n = 0; result == ERROR_SUCCESS && n < 100000; ++n) {
    const std::string name = "w" + std::to_string(n);
    result = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1));
    if (result == ERROR_SUCCESS) reported.insert(name);
  }
  if (key != nullptr) RegCloseKey(key);
  return result == ERROR_SUCCESS ? 0 : 1;
}

struct StoreFaultCase {
  const char* what;
  Fault fault;
  Args command;  // marovel-reg's arguments, or {"write values"} for the registry functions
  int exitCode;
  bool someDone;  // whether some writes are reported done before the fault stops them
};

class StoreMeetsAFault : public ::testing::TestWithParam<StoreFaultCase> {
 protected:
  // Seeded by the program, so that this process opens the store first with the case's rights.
  void SetUp() override {
    regfile::writeFileSafely(path("seed.reg"), regFileOf(kSeededKey, 3, 10));
    regfile::writeFileSafely(path("big.reg"), regFileOf(kWrittenKey, 300, 1000));
    ChildProcess seeding({MAROVEL_REG_PROGRAM, "import", path("seed.reg")});
    ASSERT_EQ(seeding.wait(), 0);
    letEveryoneRead(store);
  }

  std::string path(const std::string& name) const { return store.directory() + "/" + name; }

  // Through the store's path, or another that leads to it.
  int attempt(const Args& command, std::set<std::string>& reported, const std::string& storePath) {
    if (command == Args{"write values"}) return writeValuesUntilRefused(reported);
    Args args = command;
    if (args.back() == "big.reg") args.back() = path("big.reg");
    return run(args, storePath);
  }

  TemporaryStore store;
};

const std::string kSeededText = std::string(10, 'y') + '\0';
const std::vector<std::string> kSeededValues{"v0=1:" + kSeededText, "v1=1:" + kSeededText, "v2=1:" + kSeededText};

TEST_P(StoreMeetsAFault, RefusesWithAnErrorAndKeepsEveryWriteReportedDone) {
  const StoreFaultCase& c = GetParam();
  const FolderContents filesBefore = testing::contentsOf(store.directory());
  std::set<std::string> reported;
  int code = 0;
  // Another user's folder holds the store, or a link to it.
  const testing::TestFolder linkFolder;
  const bool throughLink = c.fault == Fault::ForeignLink, foreignOwner = throughLink || c.fault == Fault::ForeignFolder;
  const std::string storePath = throughLink ? linkFolder.path("registry.sqlite3").string() : store.path();
  const std::string foreign = throughLink ? linkFolder.root().string() : store.directory();
  ASSERT_TRUE(!throughLink || symlink(store.path().c_str(), storePath.c_str()) == 0);
  ASSERT_TRUE(!foreignOwner || chown(foreign.c_str(), kNobody, kNobody) == 0);
  {
    std::optional<testing::FileSizeLimit> limit;
    if (c.fault == Fault::SizeLimit) limit.emplace(kSizeLimit);
    const testing::WithoutRootRights nobody(c.fault == Fault::ReaderOnly);
    code = attempt(c.command, reported, storePath);
  }
  ASSERT_EQ(chown(foreign.c_str(), 0, 0), 0);
  EXPECT_EQ(code, c.exitCode);
  EXPECT_EQ(!reported.empty(), c.someDone);
  if (c.fault == Fault::ReaderOnly || foreignOwner) {
    EXPECT_EQ(testing::contentsOf(store.directory()), filesBefore) << "the store and its -wal and -shm";
  }
  EXPECT_EQ(integrityOf(store.path()), "ok");
  EXPECT_EQ(valuesOf(store.path(), kSeededKey), kSeededValues);
  const std::vector<std::string> written = valuesOf(store.path(), kWrittenKey);
  EXPECT_EQ(written.size(), reported.size()) << "a failed import changes nothing";
  for (const std::string& name : reported) {
    EXPECT_TRUE(std::ranges::any_of(written, [&](const std::string& value) { return value.starts_with(name + "="); }))
        << name << " was reported done";
  }
  if (c.fault == Fault::SizeLimit) {
    EXPECT_EQ(run({"add", "HKLM\\Software\\Qorvi\\After", "/v", "v", "/d", "x"}, store.path()), 0)
        << "the store takes writes again";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreMeetsAFault,
    ::testing::Values(
        StoreFaultCase{"write at a full disk", Fault::SizeLimit, {"write values"}, 1, true},
        StoreFaultCase{"import at a full disk", Fault::SizeLimit, {"import", "big.reg"}, 1, false},
        StoreFaultCase{"write by a reader", Fault::ReaderOnly, {"write values"}, 1, false},
        StoreFaultCase{"import by a reader", Fault::ReaderOnly, {"import", "big.reg"}, 1, false},
        StoreFaultCase{"delete by a reader", Fault::ReaderOnly, {"delete", "HKLM\\Software\\Qorvi", "/f"}, 1, false},
        StoreFaultCase{"query by a reader", Fault::ReaderOnly, {"query", "HKLM\\Software\\Qorvi", "/s"}, 0, false},
        StoreFaultCase{"write in another user's folder", Fault::ForeignFolder, {"write values"}, 1, false},
        StoreFaultCase{"query in another user's folder", Fault::ForeignFolder, {"query", "HKLM", "/s"}, 1, false},
        StoreFaultCase{"import through another user's link", Fault::ForeignLink, {"import", "big.reg"}, 1, false}),
    testing::CaseName());

}  // namespace
}  // namespace marovel::reg_tool
