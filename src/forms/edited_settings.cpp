#include "edited_settings.h"

#include <optional>

#include "agent_setting_access.h"
#include "email_fixup.h"
#include "interval_field.h"
#include "registry_helpers.h"

namespace marovel::forms {
namespace {

using registry::SettingValue;
using settings::agentSetting;
using settings::AgentSettingRow;
using settings::readAgentSetting;
using settings::writeAgentSetting;

// Deleting is not one of the value routines: the key is opened, the value
// deleted, the key closed.
void deleteValue(AgentSettingRow row) {
  const auto &setting = agentSetting(row);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(setting.writeKey).c_str(), 0, registry::kAccessMask, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueA(key, std::string(setting.valueName).c_str());
  RegCloseKey(key);
}

bool isNoValue(const std::string &text) { return text == settings::NoValueMarker; }

void applyInterval(AgentSettingRow row, const std::string &text, char decimalSeparator) {
  if (isNoValue(text)) {
    deleteValue(row);
  } else if (auto milliseconds = settings::intervalTextToMilliseconds(text, decimalSeparator)) {
    writeAgentSetting(row, *milliseconds);
  }
}

bool intervalHolds(AgentSettingRow row, const std::string &text, char decimalSeparator) {
  SettingValue stored = readAgentSetting(row);
  if (isNoValue(text)) return registry::isEmpty(stored);
  auto milliseconds = settings::intervalTextToMilliseconds(text, decimalSeparator);
  return milliseconds && stored == SettingValue{*milliseconds};
}

// Only a text is written back: a value of another type (an expandable text, a number) stays
// exactly as it is, and a missing one is not created.
std::string loadRepairedEmail() {
  const registry::QueriedValue stored = settings::queryAgentSetting(AgentSettingRow::EmailAddress);
  std::string repaired = settings::repairEmailHyphens(registry::textOf(stored.value));
  if (stored.result == ERROR_SUCCESS && stored.type == REG_SZ) {
    writeAgentSetting(AgentSettingRow::EmailAddress, repaired);
  }
  return repaired;
}

}  // namespace

EditedSettings loadEditedSettings(char decimalSeparator) {
  EditedSettings settings;
  settings.relayServer =
      settings::storedNumber(readAgentSetting(AgentSettingRow::RelayServerEnabled), decimalSeparator) == 1;
  settings.updateFailureText =
      settings::intervalFieldText(readAgentSetting(AgentSettingRow::UpdateFailureTime), decimalSeparator);
  settings.updateSuccessText =
      settings::intervalFieldText(readAgentSetting(AgentSettingRow::UpdateSuccessTime), decimalSeparator);
  settings.emailAddress = loadRepairedEmail();
  return settings;
}

void applyEditedSettings(const EditedSettings &settings, char decimalSeparator) {
  writeAgentSetting(AgentSettingRow::RelayServerEnabled, std::int32_t{settings.relayServer ? 1 : 0});
  applyInterval(AgentSettingRow::UpdateFailureTime, settings.updateFailureText, decimalSeparator);
  applyInterval(AgentSettingRow::UpdateSuccessTime, settings.updateSuccessText, decimalSeparator);
  if (!settings.emailAddress.empty()) writeAgentSetting(AgentSettingRow::EmailAddress, settings.emailAddress);
}

bool registryHolds(const EditedSettings &settings, char decimalSeparator) {
  bool emailHolds = settings.emailAddress.empty() ||
                    readAgentSetting(AgentSettingRow::EmailAddress) == SettingValue{settings.emailAddress};
  return readAgentSetting(AgentSettingRow::RelayServerEnabled) ==
             SettingValue{std::int32_t{settings.relayServer ? 1 : 0}} &&
         intervalHolds(AgentSettingRow::UpdateFailureTime, settings.updateFailureText, decimalSeparator) &&
         intervalHolds(AgentSettingRow::UpdateSuccessTime, settings.updateSuccessText, decimalSeparator) && emailHolds;
}

}  // namespace marovel::forms
