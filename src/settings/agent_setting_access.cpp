#include "agent_setting_access.h"

#include <string>

namespace marovel::settings {

registry::SettingValue readAgentSetting(AgentSettingRow row) { return queryAgentSetting(row).value; }

registry::QueriedValue queryAgentSetting(AgentSettingRow row) {
  const AgentSetting &setting = agentSetting(row);
  return registry::QueryValueWithType(std::string(setting.loadKey), std::string(setting.valueName));
}

void writeAgentSetting(AgentSettingRow row, const registry::SettingValue &value) {
  const AgentSetting &setting = agentSetting(row);
  registry::SetKeyValue(std::string(setting.writeKey), std::string(setting.valueName), value, setting.type);
}

// Not one of the value routines: the key is opened, the value deleted, the key closed.
void deleteAgentSetting(AgentSettingRow row) {
  const AgentSetting &setting = agentSetting(row);
  HKEY key = nullptr;
  if (registry::openUnderLocalMachine(std::string(setting.writeKey), key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, std::string(setting.valueName).c_str());
  RegCloseKey(key);
}

}  // namespace marovel::settings
