#include "agent_setting_access.h"

#include <string>

#include "registry_helpers.h"

namespace marovel::settings {

registry::SettingValue readAgentSetting(AgentSettingRow row) {
  const AgentSetting &setting = agentSetting(row);
  return registry::QueryValue(std::string(setting.loadKey), std::string(setting.valueName));
}

void writeAgentSetting(AgentSettingRow row, const registry::SettingValue &value) {
  const AgentSetting &setting = agentSetting(row);
  registry::SetKeyValue(std::string(setting.writeKey), std::string(setting.valueName), value, setting.type);
}

}  // namespace marovel::settings
