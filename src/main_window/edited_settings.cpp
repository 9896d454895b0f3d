#include "edited_settings.h"

#include <optional>

#include "agent_settings_schema.h"
#include "email_fixup.h"
#include "interval_field.h"
#include "registry_helpers.h"

namespace marovel::main_window {
namespace {

using registry::SettingValue;
using settings::AgentSettingRow;
using settings::agentSetting;

SettingValue loadValue(AgentSettingRow row) {
  const auto& setting = agentSetting(row);
  return registry::QueryValue(std::string(setting.loadKey), std::string(setting.valueName));
}

void writeValue(AgentSettingRow row, const SettingValue& value) {
  const auto& setting = agentSetting(row);
  registry::SetKeyValue(std::string(setting.writeKey), std::string(setting.valueName), value, setting.type);
}

// Deleting is not one of the value routines: the key is opened, the value deleted, the key closed.
void deleteValue(AgentSettingRow row) {
  const auto& setting = agentSetting(row);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(setting.writeKey).c_str(), 0, registry::kAccessMask, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueA(key, std::string(setting.valueName).c_str());
  RegCloseKey(key);
}

std::string textOf(const SettingValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return {};
}

bool isNoValue(const std::string& text) { return text == settings::NoValueMarker; }

void applyInterval(AgentSettingRow row, const std::string& text, char decimalSeparator) {
  if (isNoValue(text)) {
    deleteValue(row);
  } else if (auto milliseconds = settings::intervalTextToMilliseconds(text, decimalSeparator)) {
    writeValue(row, *milliseconds);
  }
}

bool intervalHolds(AgentSettingRow row, const std::string& text, char decimalSeparator) {
  SettingValue stored = loadValue(row);
  if (isNoValue(text)) return registry::isEmpty(stored);
  auto milliseconds = settings::intervalTextToMilliseconds(text, decimalSeparator);
  return milliseconds && stored == SettingValue{*milliseconds};
}

}  // namespace

EditedSettings loadEditedSettings(char decimalSeparator) {
  EditedSettings settings;
  settings.relayServer = settings::storedNumber(loadValue(AgentSettingRow::RelayServerEnabled), decimalSeparator) == 1;
  settings.updateFailureText =
      settings::intervalFieldText(loadValue(AgentSettingRow::UpdateFailureTime), decimalSeparator);
  settings.updateSuccessText =
      settings::intervalFieldText(loadValue(AgentSettingRow::UpdateSuccessTime), decimalSeparator);
  settings.emailAddress = settings::repairEmailHyphens(textOf(loadValue(AgentSettingRow::EmailAddress)));
  writeValue(AgentSettingRow::EmailAddress, settings.emailAddress);
  return settings;
}

void applyEditedSettings(const EditedSettings& settings, char decimalSeparator) {
  writeValue(AgentSettingRow::RelayServerEnabled, std::int32_t{settings.relayServer ? 1 : 0});
  applyInterval(AgentSettingRow::UpdateFailureTime, settings.updateFailureText, decimalSeparator);
  applyInterval(AgentSettingRow::UpdateSuccessTime, settings.updateSuccessText, decimalSeparator);
  if (!settings.emailAddress.empty()) writeValue(AgentSettingRow::EmailAddress, settings.emailAddress);
}

bool registryHolds(const EditedSettings& settings, char decimalSeparator) {
  bool emailHolds = settings.emailAddress.empty() ||
                    loadValue(AgentSettingRow::EmailAddress) == SettingValue{settings.emailAddress};
  return loadValue(AgentSettingRow::RelayServerEnabled) == SettingValue{std::int32_t{settings.relayServer ? 1 : 0}} &&
         intervalHolds(AgentSettingRow::UpdateFailureTime, settings.updateFailureText, decimalSeparator) &&
         intervalHolds(AgentSettingRow::UpdateSuccessTime, settings.updateSuccessText, decimalSeparator) &&
         emailHolds;
}

}  // namespace marovel::main_window
