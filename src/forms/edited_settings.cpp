#include "edited_settings.h"

#include <optional>

#include "agent_setting_access.h"
#include "email_fixup.h"
#include "interval_field.h"
#include "registry_helpers.h"

namespace marovel::forms {
namespace {

using registry::SettingValue;
using settings::AgentSettingRow;
using settings::readAgentSetting;
using settings::writeAgentSetting;

void applyInterval(AgentSettingRow row, const std::string &text, char decimalSeparator) {
  const auto wanted = settings::intervalTextToStored(text, decimalSeparator);
  if (!wanted) return;
  if (registry::isEmpty(*wanted)) {
    settings::deleteAgentSetting(row);
  } else {
    writeAgentSetting(row, *wanted);
  }
}

bool intervalHolds(AgentSettingRow row, const std::string &text, char decimalSeparator) {
  const auto wanted = settings::intervalTextToStored(text, decimalSeparator);
  return wanted && readAgentSetting(row) == *wanted;
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
