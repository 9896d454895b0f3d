// The stand-in keeps each store open between calls: HKEY_LOCAL_MACHINE must still reach the file
// that MAROVEL_REGISTRY names now, a handle keeps the file it was opened in, and one connection
// serves every handle.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "registry_test_support.h"
#include "standin_store.h"
#include "temporary_store.h"

namespace {

using marovel::standin::Session;

const char* const kKey = "Software\\Stores";

// A store at path whose key holds "v" = {mark}, made and closed by a session.
void makeStoreHolding(const std::string& path, std::uint8_t mark) {
  Session session(path, Session::Mode::Write);
  session.createKey(kKey);
  session.setValue(kKey, "v", REG_BINARY, Bytes{mark});
  session.commit();
}

// Moves a store over another, its two companion files with it, as the README asks.
void moveStore(const std::string& from, const std::string& to) {
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::rename(from + suffix, to + suffix);
  }
}

RawValue readThroughTheRoot() {
  OpenedKey key;
  RawValue value;
  value.result = openKey(kKey, KEY_READ, key);
  return value.result == ERROR_SUCCESS ? readRaw(key.handle, "v") : value;
}

struct PathChange {
  const char* label;
  std::function<void(const TemporaryStore&)> change;
  LONG readResult;  // reading "v" through HKEY_LOCAL_MACHINE afterwards
  Bytes readData;
  LONG writeResult;  // opening the key for writing through HKEY_LOCAL_MACHINE afterwards
};

class ChangedStoreFile : public testing::TestWithParam<PathChange> {};

TEST_P(ChangedStoreFile, TheRootReachesWhatThePathNamesNowAndOldHandlesTheirOwnFile) {
  TemporaryStore store;
  makeStoreHolding(store.path(), 1);
  OpenedKey before;
  ASSERT_EQ(openKey(kKey, KEY_READ, before), ERROR_SUCCESS);
  ASSERT_EQ(readRaw(before.handle, "v").data, Bytes{1});

  GetParam().change(store);

  RawValue now = readThroughTheRoot();
  EXPECT_EQ(now.result, GetParam().readResult);
  EXPECT_EQ(now.data, GetParam().readData);
  OpenedKey writer;
  EXPECT_EQ(openKey(kKey, 0x3F, writer), GetParam().writeResult);
  EXPECT_EQ(readRaw(before.handle, "v").data, Bytes{1}) << "the handle keeps the file it was opened in";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedStoreFile,
    testing::Values(
        PathChange{"Unchanged", [](const TemporaryStore&) {}, ERROR_SUCCESS, Bytes{1}, ERROR_SUCCESS},
        PathChange{"ReplacedByAnotherStore",
                   [](const TemporaryStore& store) {
                     const std::string other = store.directory() + "/other.sqlite3";
                     makeStoreHolding(other, 2);
                     moveStore(other, store.path());
                   },
                   ERROR_SUCCESS, Bytes{2}, ERROR_SUCCESS},
        PathChange{"Removed",
                   [](const TemporaryStore& store) {
                     for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(store.path() + suffix);
                   },
                   ERROR_FILE_NOT_FOUND, Bytes{}, ERROR_FILE_NOT_FOUND},
        PathChange{"MadeReadOnly",
                   [](const TemporaryStore& store) { ASSERT_EQ(chmod(store.path().c_str(), 0444), 0); },
                   ERROR_SUCCESS, Bytes{1}, ERROR_ACCESS_DENIED},
        PathChange{"ReplacedByText",
                   [](const TemporaryStore& store) {
                     const std::string text = store.directory() + "/text";
                     std::ofstream(text) << "REGEDIT4\r\n";
                     std::filesystem::rename(text, store.path());
                   },
                   ERROR_BADDB, Bytes{}, ERROR_BADDB}),
    [](const testing::TestParamInfo<PathChange>& info) { return std::string(info.param.label); });

TEST(OpenStores, EachCallReachesTheStoreTheVariableNamesNow) {
  TemporaryStore first, second;  // the second names itself last
  makeStoreHolding(first.path(), 1);
  makeStoreHolding(second.path(), 2);
  for (int round = 0; round < 2; ++round) {
    setenv("MAROVEL_REGISTRY", first.path().c_str(), 1);
    EXPECT_EQ(readThroughTheRoot().data, Bytes{1}) << "round " << round;
    setenv("MAROVEL_REGISTRY", second.path().c_str(), 1);
    EXPECT_EQ(readThroughTheRoot().data, Bytes{2}) << "round " << round;
  }
}

// The store file's descriptors in this process: one per connection.
int descriptorsOn(const std::string& path) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code unreadable;
    if (std::filesystem::read_symlink(entry.path(), unreadable) == path) ++count;
  }
  return count;
}

TEST(OpenStores, OneConnectionServesEveryHandle) {
  TemporaryStore store;
  makeStoreHolding(store.path(), 1);
  std::vector<OpenedKey> keys(10);
  for (OpenedKey& key : keys) {
    ASSERT_EQ(openKey(kKey, 0x3F, key), ERROR_SUCCESS);
    ASSERT_EQ(writeRaw(key.handle, "v", REG_BINARY, {3}), ERROR_SUCCESS);
  }
  EXPECT_EQ(descriptorsOn(store.path()), 1);
}

}  // namespace
