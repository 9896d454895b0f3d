#include "settings_reg_file.h"

#include "agent_settings_schema.h"
#include "ansi_codepage.h"
#include "interval_field.h"
#include "reg_file_writer.h"
#include "safe_file_writer.h"
#include "win32_registry.h"

namespace marovel::forms {
namespace {

using regfile::RegData;
using regfile::RegEntry;
using regfile::RegSection;
using settings::AgentSettingRow;

// The window's file: sections in its order, key names as exported, dword: in upper case.
constexpr regfile::RegFileStyle kStyle{.upperCaseHex = true, .blankLineBetweenSections = false};

std::string valueNameOf(AgentSettingRow row) { return std::string(settings::agentSetting(row).valueName); }

RegSection sectionOf(AgentSettingRow row) { return {std::string(settings::agentSetting(row).exportKey), false, {}}; }

RegData dword(std::int32_t value) { return {REG_DWORD, regfile::dwordBytes(static_cast<std::uint32_t>(value))}; }

// "-" deletes the value on import; anything else must convert to milliseconds.
std::optional<RegEntry> intervalEntry(AgentSettingRow row, std::string_view text, char decimalSeparator) {
  const auto wanted = settings::intervalTextToStored(text, decimalSeparator);
  if (!wanted) return std::nullopt;
  if (registry::isEmpty(*wanted)) return RegEntry{valueNameOf(row), std::nullopt};
  return RegEntry{valueNameOf(row), dword(std::get<std::int32_t>(*wanted))};
}

// Only what a quoted string carries unchanged: the address is never written as hex digits.
std::optional<RegEntry> emailEntry(std::string_view utf8) {
  auto ansi = registry::utf8ToAnsi(utf8);
  if (!ansi || !regfile::isQuotableText(*ansi)) return std::nullopt;
  return RegEntry{valueNameOf(AgentSettingRow::EmailAddress), RegData{REG_SZ, regfile::textBytes(*ansi)}};
}

}  // namespace

std::optional<std::string> settingsRegFile(const EditedSettings& settings, char decimalSeparator) {
  auto retry = intervalEntry(AgentSettingRow::UpdateFailureTime, settings.updateFailureText, decimalSeparator);
  auto update = intervalEntry(AgentSettingRow::UpdateSuccessTime, settings.updateSuccessText, decimalSeparator);
  if (!retry || !update) return std::nullopt;

  regfile::RegFile file{sectionOf(AgentSettingRow::RelayServerEnabled), sectionOf(AgentSettingRow::UpdateFailureTime)};
  file[0].entries.push_back({valueNameOf(AgentSettingRow::RelayServerEnabled), dword(settings.relayServer ? 1 : 0)});
  file[1].entries = {*retry, *update};
  if (!settings.emailAddress.empty()) {
    auto email = emailEntry(settings.emailAddress);
    if (!email) return std::nullopt;
    file.push_back(sectionOf(AgentSettingRow::EmailAddress));
    file.back().entries.push_back(*email);
  }
  return regfile::writeRegFile(file, kStyle);
}

bool saveSettingsRegFile(const std::filesystem::path& fileName, const EditedSettings& settings,
                         char decimalSeparator) {
  const auto bytes = settingsRegFile(settings, decimalSeparator);
  if (!bytes) return false;
  try {
    regfile::writeFileSafely(fileName, *bytes);
    return true;
  } catch (const regfile::FileWriteError&) {
    return false;
  }
}

}  // namespace marovel::forms
