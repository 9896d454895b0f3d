#include "agent_locations.h"

#include <string>
#include <variant>

#include "agent_settings_schema.h"
#include "email_fixup.h"
#include "registry_helpers.h"

namespace marovel::diagnostics_window {
namespace {

using settings::AgentSettingRow;

registry::SettingValue read(AgentSettingRow row) {
  const settings::AgentSetting& setting = settings::agentSetting(row);
  return registry::QueryValue(std::string(setting.loadKey), std::string(setting.valueName));
}

// A number stored where a text belongs is shown as its digits.
std::string textOf(const registry::SettingValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return {};
}

std::string readText(AgentSettingRow row) { return textOf(read(row)); }

std::string loadRepairedUpdateUrl() {
  registry::SettingValue stored = read(AgentSettingRow::UpdateNowUrl);
  const auto* url = std::get_if<std::string>(&stored);
  if (url == nullptr) return textOf(stored);
  std::string repaired = settings::repairUpdateUrlEmail(*url);
  const settings::AgentSetting& setting = settings::agentSetting(AgentSettingRow::UpdateNowUrl);
  registry::SetKeyValue(std::string(setting.writeKey), std::string(setting.valueName), repaired, setting.type);
  return repaired;
}

}  // namespace

AgentLocations loadAgentLocations() {
  AgentLocations locations;
  locations.updateUrl = loadRepairedUpdateUrl();
  locations.reportUploadPath = readText(AgentSettingRow::DranelUploadPath);
  locations.quarantinePath = readText(AgentSettingRow::QuarantinePath);
  locations.quarantineUploadUrl = readText(AgentSettingRow::QuarantineUploadPath);
  locations.quarantineSubmitUrl = readText(AgentSettingRow::QuarantineSubmitUrl);
  return locations;
}

}  // namespace marovel::diagnostics_window
