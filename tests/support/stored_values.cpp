// Reads and writes through the six registry functions only, in the default view.
#include "stored_values.h"

#include <gtest/gtest.h>

namespace marovel::testing {

void PrintTo(const StoredValue& value, std::ostream* out) {
  *out << "type " << value.type << " bytes " << ::testing::PrintToString(value.bytes);
}

std::optional<StoredValue> storedValue(const std::string& keyPath, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  StoredValue value;
  value.bytes.resize(256);
  DWORD size = static_cast<DWORD>(value.bytes.size());
  const LONG result =
      RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  value.bytes.resize(size);
  return value;
}

bool keyExists(const std::string& keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void putText(const std::string& keyPath, const std::string& name, const std::string& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace marovel::testing
