#include "agent_locations.h"

#include <string>
#include <variant>

#include "agent_setting_access.h"
#include "email_fixup.h"

namespace marovel::forms {
namespace {

using settings::AgentSettingRow;

// A number stored where a text belongs is shown as its digits.
std::string readText(AgentSettingRow row) { return registry::textOf(settings::readAgentSetting(row)); }

std::string loadRepairedUpdateUrl() {
  registry::SettingValue stored = settings::readAgentSetting(AgentSettingRow::UpdateNowUrl);
  const auto *url = std::get_if<std::string>(&stored);
  if (url == nullptr) return registry::textOf(stored);
  std::string repaired = settings::repairUpdateUrlEmail(*url);
  settings::writeAgentSetting(AgentSettingRow::UpdateNowUrl, repaired);
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

}  // namespace marovel::forms
