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
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(setting.writeKey).c_str(), 0, registry::kKeyAccess, &key) !=
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

// Reads each value, keeping the first result that is neither success nor a missing key or value.
class Reads {
 public:
  SettingValue value(AgentSettingRow row) { return typed(row).value; }

  registry::QueriedValue typed(AgentSettingRow row) {
    registry::QueriedValue queried = settings::queryAgentSetting(row);
    if (failed_ == ERROR_SUCCESS && queried.result != ERROR_FILE_NOT_FOUND) failed_ = queried.result;
    return queried;
  }

  LONG failed() const { return failed_; }

 private:
  LONG failed_ = ERROR_SUCCESS;
};

// Only a text is written back: a value of another type (an expandable text, a number) stays
// exactly as it is, and a missing one is not created.
std::string loadRepairedEmail(Reads &reads) {
  const registry::QueriedValue stored = reads.typed(AgentSettingRow::EmailAddress);
  std::string repaired = settings::repairEmailHyphens(registry::textOf(stored.value));
  if (stored.result == ERROR_SUCCESS && stored.type == REG_SZ) {
    writeAgentSetting(AgentSettingRow::EmailAddress, repaired);
  }
  return repaired;
}

}  // namespace

LoadedSettings loadEditedSettings(char decimalSeparator) {
  Reads reads;
  EditedSettings settings;
  settings.relayServer =
      settings::storedNumber(reads.value(AgentSettingRow::RelayServerEnabled), decimalSeparator) == 1;
  settings.updateFailureText =
      settings::intervalFieldText(reads.value(AgentSettingRow::UpdateFailureTime), decimalSeparator);
  settings.updateSuccessText =
      settings::intervalFieldText(reads.value(AgentSettingRow::UpdateSuccessTime), decimalSeparator);
  settings.emailAddress = loadRepairedEmail(reads);
  return {settings, reads.failed()};
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
