// What the stand-in store does with files it must not trust or may not write.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "registry_helpers.h"
#include "registry_test_support.h"
#include "standin_store.h"
#include "temporary_store.h"

namespace {

using marovel::registry::QueriedValue;
using marovel::registry::QueryValue;
using marovel::registry::QueryValueWithType;
using marovel::registry::SetKeyValue;
using marovel::registry::SettingValue;
using marovel::standin::Session;
using marovel::standin::StoreError;

const char* const kAgentKey = "Software\\Qorvi\\Agent";

// The file's bytes, or the names in a directory.
std::string contentsOf(const std::string& path) {
  if (std::filesystem::is_directory(path)) {
    std::string names = "directory:";
    for (const auto& entry : std::filesystem::directory_iterator(path)) names += " " + entry.path().string();
    return names;
  }
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

// A store with a key and enough values to span several pages.
void makeStore(const std::string& path) {
  Session session(path, Session::Mode::Write);
  session.createKey(kAgentKey);
  const std::vector<std::uint8_t> data(200, 0x5A);
  for (int n = 0; n < 100; ++n) session.setValue(kAgentKey, "value" + std::to_string(n), REG_BINARY, data);
  session.commit();
}

LONG sessionError(const std::string& path, Session::Mode mode) {
  try {
    Session session(path, mode);
    session.values("");
  } catch (const StoreError& error) {
    return error.code();
  }
  return ERROR_SUCCESS;
}

struct Call {
  const char* name;
  std::function<LONG()> run;
};

// Each registry function once, straight on HKEY_LOCAL_MACHINE.
std::vector<Call> callsOnTheRoot(const char* keyPath) {
  return {
      {"RegOpenKeyExA(0x3F)",
       [=] {
         OpenedKey key;
         return openKey(keyPath, 0x3F, key);
       }},
      {"RegOpenKeyExA(KEY_READ)",
       [=] {
         OpenedKey key;
         return openKey(keyPath, KEY_READ, key);
       }},
      {"RegCreateKeyExA",
       [=] {
         OpenedKey key;
         return createKey(HKEY_LOCAL_MACHINE, std::string(keyPath) + "\\New", key);
       }},
      {"RegQueryValueExA",
       [] {
         DWORD size = 0;
         return RegQueryValueExA(HKEY_LOCAL_MACHINE, "v", nullptr, nullptr, nullptr, &size);
       }},
      {"RegSetValueExA", [] { return writeRaw(HKEY_LOCAL_MACHINE, "v", REG_BINARY, {1}); }},
      {"RegDeleteValueA", [] { return RegDeleteValueA(HKEY_LOCAL_MACHINE, "v"); }},
      {"RegFlushKey", [] { return RegFlushKey(HKEY_LOCAL_MACHINE); }},
  };
}

struct DamageCase {
  const char* label;
  std::function<void(const TemporaryStore&)> make;
};

class DamagedStore : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedStore, EveryFunctionFailsAndTheFileStaysAsItWas) {
  TemporaryStore store;
  GetParam().make(store);
  const std::string before = contentsOf(store.path());

  for (const Call& call : callsOnTheRoot(kAgentKey)) EXPECT_EQ(call.run(), ERROR_BADDB) << call.name;
  SetKeyValue(kAgentKey, "value1", std::string("x"), REG_SZ);
  EXPECT_EQ(QueryValue(kAgentKey, "value1"), SettingValue());
  EXPECT_EQ(sessionError(store.path(), Session::Mode::Read), ERROR_BADDB);
  EXPECT_EQ(sessionError(store.path(), Session::Mode::Write), ERROR_BADDB);

  EXPECT_EQ(contentsOf(store.path()), before);
}

std::string validStoreBytes(const TemporaryStore& store) {
  const std::string source = store.directory() + "/source.sqlite3";
  makeStore(source);
  return contentsOf(source);
}

// A store cut in half whose log still holds commits not yet in the file, as the registry
// functions leave it: a connection closing with a checkpoint would copy them into the cut file.
void makeCutStoreWithCommitsInTheLog(const TemporaryStore& store) {
  const std::string source = store.directory() + "/source.sqlite3";
  makeStore(source);
  setenv("MAROVEL_REGISTRY", source.c_str(), 1);
  OpenedKey key;
  createKey(HKEY_LOCAL_MACHINE, kAgentKey, key);
  for (int n = 0; n < 50; ++n) writeRaw(key.handle, ("logged" + std::to_string(n)).c_str(), REG_BINARY, Bytes(200, 7));
  const std::string bytes = contentsOf(source);
  writeFile(store.path(), bytes.substr(0, bytes.size() / 2));
  writeFile(store.path() + "-wal", contentsOf(source + "-wal"));
  setenv("MAROVEL_REGISTRY", store.path().c_str(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedStore,
    testing::Values(
        DamageCase{"Garbage",
                   [](const TemporaryStore& store) {
                     std::mt19937 random(7);
                     std::string garbage(8192, '\0');
                     for (char& c : garbage) c = static_cast<char>(random());
                     writeFile(store.path(), garbage);
                   }},
        DamageCase{"Text", [](const TemporaryStore& store) { writeFile(store.path(), "REGEDIT4\r\n\r\n"); }},
        DamageCase{"EmptyFile", [](const TemporaryStore& store) { writeFile(store.path(), ""); }},
        DamageCase{"CutInTheMiddle",
                   [](const TemporaryStore& store) {
                     std::string bytes = validStoreBytes(store);
                     writeFile(store.path(), bytes.substr(0, bytes.size() / 2));
                   }},
        DamageCase{"CutWithCommitsInTheLog", makeCutStoreWithCommitsInTheLog},
        DamageCase{"CutInTheHeader",
                   [](const TemporaryStore& store) { writeFile(store.path(), validStoreBytes(store).substr(0, 60)); }},
        DamageCase{"ForeignDatabase",
                   [](const TemporaryStore& store) {
                     sqlite3* db = nullptr;
                     sqlite3_open(store.path().c_str(), &db);
                     sqlite3_exec(db, "CREATE TABLE keys(id); INSERT INTO keys VALUES(1)", nullptr, nullptr, nullptr);
                     sqlite3_close(db);
                   }},
        DamageCase{"Directory",
                   [](const TemporaryStore& store) { std::filesystem::create_directory(store.path()); }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.label); });

TEST(ReadOnlyStore, RefusesWriteAccessButCanBeRead) {
  TemporaryStore store;
  makeStore(store.path());
  ASSERT_EQ(chmod(store.path().c_str(), 0444), 0);
  const std::string before = contentsOf(store.path());

  auto expected = [](const std::string& name) {
    return name == "RegOpenKeyExA(KEY_READ)" || name == "RegFlushKey" ? ERROR_SUCCESS
           : name == "RegQueryValueExA"                               ? ERROR_FILE_NOT_FOUND
                                                                      : ERROR_ACCESS_DENIED;
  };
  for (const Call& call : callsOnTheRoot(kAgentKey)) EXPECT_EQ(call.run(), expected(call.name)) << call.name;

  HKEY denied = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x10));
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAgentKey, 0, 0x3F, &denied), ERROR_ACCESS_DENIED);
  EXPECT_EQ(denied, nullptr);
  OpenedKey missing, reader;
  EXPECT_EQ(openKey("Software\\Missing", 0x3F, missing), ERROR_FILE_NOT_FOUND) << "a missing key is missing first";
  ASSERT_EQ(openKey(kAgentKey, KEY_READ, reader), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(reader.handle, "value7").data, Bytes(200, 0x5A));
  EXPECT_EQ(writeRaw(reader.handle, "value7", REG_BINARY, {1}), ERROR_ACCESS_DENIED);

  // The routines ask for 0x3F first; denied, a read opens with the read rights alone.
  SetKeyValue(kAgentKey, "value7", std::string("x"), REG_SZ);
  EXPECT_EQ(QueryValue(kAgentKey, "value7"), SettingValue());
  const QueriedValue read = QueryValueWithType(kAgentKey, "value7");
  EXPECT_EQ(read.result, ERROR_SUCCESS);
  EXPECT_EQ(read.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(sessionError(store.path(), Session::Mode::Write), ERROR_ACCESS_DENIED);
  EXPECT_EQ(sessionError(store.path(), Session::Mode::Read), ERROR_SUCCESS);

  EXPECT_EQ(contentsOf(store.path()), before);
}

TEST(MissingStore, ReadsAsEmptyAndOnlyAWriteCreatesIt) {
  TemporaryStore store;
  const mode_t oldMask = umask(077);

  auto expected = [](const std::string& name) {
    return name.rfind("RegOpenKeyExA", 0) == 0 || name == "RegQueryValueExA" || name == "RegDeleteValueA"
               ? ERROR_FILE_NOT_FOUND
               : ERROR_SUCCESS;
  };
  for (const Call& call : callsOnTheRoot(kAgentKey)) {
    if (std::string(call.name) == "RegCreateKeyExA" || std::string(call.name) == "RegSetValueExA") continue;
    EXPECT_EQ(call.run(), expected(call.name)) << call.name;
  }
  OpenedKey root;
  EXPECT_EQ(openKey("", 0x3F, root), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(kAgentKey, "v"), SettingValue());
  SetKeyValue(kAgentKey, "v", std::string("x"), REG_SZ);
  {
    Session reader(store.path(), Session::Mode::Read);
    EXPECT_TRUE(reader.values("").empty());
    Session unused(store.path(), Session::Mode::Write);
    EXPECT_FALSE(unused.deleteKey(kAgentKey));
  }
  EXPECT_FALSE(std::filesystem::exists(store.path()));

  // The first write, through the root opened while there was no file.
  EXPECT_EQ(writeRaw(root.handle, "first", REG_BINARY, {9}), ERROR_SUCCESS);
  umask(oldMask);
  struct stat status {};
  ASSERT_EQ(stat(store.path().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0644u);
  EXPECT_EQ(readRaw(HKEY_LOCAL_MACHINE, "first").data, Bytes{9});
}

TEST(MissingStore, CannotBeCreatedWithoutItsDirectory) {
  TemporaryStore store;
  const std::string path = store.directory() + "/missing/registry.sqlite3";
  setenv("MAROVEL_REGISTRY", path.c_str(), 1);
  OpenedKey key;
  EXPECT_EQ(createKey(HKEY_LOCAL_MACHINE, kAgentKey, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(sessionError(path, Session::Mode::Write), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(std::filesystem::exists(store.directory() + "/missing"));
}

}  // namespace
