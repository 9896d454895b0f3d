// The stand-in never gives out a handle value twice, so a handle used after its close reaches no
// other key. The Win32 registry reuses handle values, so this holds for the stand-in only.
#include <gtest/gtest.h>

#include "registry_test_support.h"
#include "temporary_store.h"

namespace {

TEST(StandinHandles, AClosedHandleStaysInvalidAfterOthersAreOpened) {
  TemporaryStore store;
  OpenedKey software;
  ASSERT_EQ(createKey(HKEY_LOCAL_MACHINE, "Software", software), ERROR_SUCCESS);
  HKEY closed = nullptr;
  ASSERT_EQ(RegOpenKeyExA(software.handle, "", 0, 0x3F, &closed), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  OpenedKey later;
  ASSERT_EQ(createKey(software.handle, "Later", later), ERROR_SUCCESS);

  for (const auto& [name, call] : callsOnAHandle()) EXPECT_EQ(call(closed), ERROR_INVALID_HANDLE) << name;
  EXPECT_EQ(readRaw(later.handle, "v").result, ERROR_FILE_NOT_FOUND) << "nothing was written through the old value";
}

}  // namespace
