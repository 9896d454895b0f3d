// Windows only: the routines work in the 32-bit registry view, where the 32-bit agent keeps its
// settings on 64-bit Windows; what lies only in the 64-bit view is not seen and not touched.
#include <windows.h>

#include <gtest/gtest.h>

#include "registry_helpers.h"
#include "registry_test_support.h"
#include "scratch_registry.h"

namespace marovel::registry {
namespace {

// The scratch key's twin in the 64-bit view, removed again at the end.
class KeyIn64BitView {
 public:
  explicit KeyIn64BitView(const std::string& path) : path_(path) {
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  ~KeyIn64BitView() {
    RegCloseKey(key_);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), KEY_WOW64_64KEY, 0);
  }
  HKEY handle() const { return key_; }

 private:
  std::string path_;
  HKEY key_ = nullptr;
};

TEST(AgentView, ReadsAndWritesThe32BitViewOnly) {
  ScratchRegistry scratch;
  KeyIn64BitView twin(scratch.keyPath());
  ASSERT_EQ(writeRaw(twin.handle(), "only64", REG_SZ, bytesOf(std::string("elsewhere", 10))), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(scratch.keyPath(), "only64"), SettingValue{});

  SetKeyValue(scratch.keyPath(), "written", std::string("here"), REG_SZ);
  OpenedKey in32;
  ASSERT_EQ(openKey(scratch.keyPath(), KEY_QUERY_VALUE, in32), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(in32.handle, "written").data, bytesOf(std::string("here", 5)));
  EXPECT_EQ(readRaw(twin.handle(), "written").result, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(QueryValue(scratch.keyPath(), "written"), SettingValue{std::string("here")});
}

}  // namespace
}  // namespace marovel::registry
