// Handles that went stale: closed, or naming a key that another session deleted. The stand-in
// never gives out a handle value twice; the Win32 registry does, so closed handles are tested here
// and not in the conformance suite.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "registry_test_support.h"
#include "standin_store.h"
#include "temporary_store.h"

namespace {

using marovel::standin::Session;

TEST(StandinHandles, AClosedHandleIsRefusedEvenAfterOthersAreOpened) {
  TemporaryStore store;
  HKEY closed = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Closed", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
                            &closed, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  OpenedKey later;
  ASSERT_EQ(createKey(HKEY_LOCAL_MACHINE, "Software", later), ERROR_SUCCESS);

  EXPECT_EQ(RegCloseKey(closed), ERROR_INVALID_HANDLE);
  for (const auto& [name, call] : callsOnAHandle()) EXPECT_EQ(call(closed), ERROR_INVALID_HANDLE) << name;
  EXPECT_EQ(readRaw(later.handle, "v").result, ERROR_FILE_NOT_FOUND) << "nothing reached another key";
}

// What the conformance suite cannot show on a registry the tests may write: a store this process
// may only read grants the read rights to MAXIMUM_ALLOWED, and no more.
TEST(StandinHandles, MaximumAllowedOnAReadOnlyStoreGrantsTheReadRights) {
  TemporaryStore store;
  {
    Session session(store.path(), Session::Mode::Write);
    session.createKey("Software\\Kept");
    session.setValue("Software\\Kept", "v", REG_BINARY, Bytes{7});
    session.commit();
  }
  ASSERT_EQ(chmod(store.path().c_str(), 0444), 0);
  OpenedKey key, child;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kept", 0, MAXIMUM_ALLOWED, &key.handle), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(key.handle, "v").data, Bytes{7});
  EXPECT_EQ(writeRaw(key.handle, "v", REG_BINARY, {8}), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, MAXIMUM_ALLOWED | KEY_SET_VALUE, &child.handle),
            ERROR_ACCESS_DENIED);
}

// Windows's limit of 512 levels, counted from HKEY_LOCAL_MACHINE whichever key a path starts at.
TEST(StandinHandles, KeysDeeperThan512LevelsAreRefused) {
  TemporaryStore store;
  auto levels = [](int count) {
    std::string path = "K";
    for (int n = 1; n < count; ++n) path += "\\K";
    return path;
  };
  OpenedKey top, deepest, refused;
  ASSERT_EQ(createKey(HKEY_LOCAL_MACHINE, levels(2), top), ERROR_SUCCESS);
  EXPECT_EQ(createKey(HKEY_LOCAL_MACHINE, levels(513), refused), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(createKey(top.handle, levels(511), refused), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(createKey(top.handle, levels(510), deepest), ERROR_SUCCESS);
  EXPECT_EQ(refused.handle, nullptr);
}

TEST(StandinHandles, AKeyDeletedElsewhereTakesNoMoreWrites) {
  TemporaryStore store;
  OpenedKey key;
  ASSERT_EQ(createKey(HKEY_LOCAL_MACHINE, "Software\\Doomed", key), ERROR_SUCCESS);
  ASSERT_EQ(writeRaw(key.handle, "v", REG_BINARY, {1}), ERROR_SUCCESS);
  {
    Session session(store.path(), Session::Mode::Write);
    ASSERT_TRUE(session.deleteKey("Software\\Doomed"));
    session.commit();
  }
  OpenedKey again, child;
  EXPECT_EQ(writeRaw(key.handle, "v", REG_BINARY, {2}), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteValueA(key.handle, "v"), ERROR_KEY_DELETED);
  EXPECT_EQ(readRaw(key.handle, "v").result, ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyExA(key.handle, "", 0, KEY_READ, &again.handle), ERROR_KEY_DELETED);
  EXPECT_EQ(createKey(key.handle, "Child", child), ERROR_KEY_DELETED);
  EXPECT_TRUE(Session(store.path(), Session::Mode::Read).subkeys("Software").empty());
}

}  // namespace
