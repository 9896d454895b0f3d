// One row of the agent's settings read or written through the registry
// routines, each with the key's letter case of its use.
#pragma once

#include "agent_settings_schema.h"
#include "registry_helpers.h"
#include "setting_value.h"

namespace marovel::settings {

// Under the row's load key; empty when the key or value is missing.
registry::SettingValue readAgentSetting(AgentSettingRow row);

// The same read, also telling the stored type and the registry's result.
registry::QueriedValue queryAgentSetting(AgentSettingRow row);

// Under the row's write key, with the row's type; a missing key is not created.
void writeAgentSetting(AgentSettingRow row, const registry::SettingValue &value);

// Deletes the value under the row's write key; a missing key or value is left as it is.
void deleteAgentSetting(AgentSettingRow row);

}  // namespace marovel::settings
