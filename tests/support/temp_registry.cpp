#include "temp_registry.h"

#include <gtest/gtest.h>

#include "registry_helpers.h"
#include "stored_values.h"

namespace marovel::testing {
namespace {

// Read-only, so that it sees the store also when writes are refused; in the agent's view.
constexpr REGSAM kQueryAccess = KEY_QUERY_VALUE | registry::kAgentView;

}  // namespace

void agent::seedInstalledAgent(TempRegistry& store) {
  store.createAgentKeys();
  store.setDword(agent::kBriselKey, agent::kRelay, 1);
  store.setDword(agent::kForvelKey, agent::kSuccess, 86400000);
  store.setDword(agent::kForvelKey, agent::kFailure, 90000);
  store.setText(agent::kAgentKey, agent::kEmail, "first%2Dlast@example.org");
}

void TempRegistry::createAgentKeys() {
  for (const char* key : {agent::kAgentKey, agent::kBriselKey, agent::kForvelKey}) createKey(key);
}

void TempRegistry::createKey(const std::string& path) {
  ASSERT_TRUE(registry::CreateKey(path, HKEY_LOCAL_MACHINE)) << path;
}

void TempRegistry::setDword(const std::string& path, const std::string& name, std::int32_t value) {
  registry::SetKeyValue(path, name, value, REG_DWORD);
  ASSERT_EQ(this->value(path, name), registry::SettingValue{value}) << path << '\\' << name;
}

void TempRegistry::setText(const std::string& path, const std::string& name, const std::string& text) {
  registry::SetKeyValue(path, name, text, REG_SZ);
  ASSERT_EQ(value(path, name), registry::SettingValue{text}) << path << '\\' << name;
}

void TempRegistry::setRaw(const std::string& path, const std::string& name, const StoredValue& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | registry::kAgentView, &key), ERROR_SUCCESS)
      << path;
  // A byte past the given size, so that a read beyond it (for a text without its NUL) shows.
  const std::string guarded = value.bytes + '\xEE';
  EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(guarded.data()),
                           static_cast<DWORD>(value.bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

bool TempRegistry::keyExists(const std::string& path) const { return testing::keyExists(path, registry::kAgentView); }

std::optional<StoredValue> TempRegistry::raw(const std::string& path, const std::string& name) const {
  return storedValue(path, name, registry::kAgentView);
}

registry::SettingValue TempRegistry::value(const std::string& path, const std::string& name) const {
  registry::SettingValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, kQueryAccess, &key) != ERROR_SUCCESS) return value;
  registry::QueryValueEx(key, name, value);
  RegCloseKey(key);
  return value;
}

}  // namespace marovel::testing
