#include "reg_export_writer.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "agent_settings_schema.h"
#include "ansi_codepage.h"
#include "interval_field.h"

namespace marovel::main_window {
namespace {

using settings::AgentSettingRow;

constexpr std::string_view kLineEnd = "\r\n";

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string sectionHeader(AgentSettingRow row) {
  return "[HKEY_LOCAL_MACHINE\\" + std::string(settings::agentSetting(row).exportKey) + "]";
}

std::string valueNameOf(AgentSettingRow row) { return quoted(settings::agentSetting(row).valueName); }

std::string dwordData(std::int32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<std::uint32_t>(value));
  return std::string("dword:") + digits;
}

// "-" deletes the value on import; anything else must convert to milliseconds.
std::optional<std::string> intervalLine(AgentSettingRow row, std::string_view text, char decimalSeparator) {
  if (text == settings::NoValueMarker) return valueNameOf(row) + "=-";
  auto milliseconds = settings::intervalTextToMilliseconds(text, decimalSeparator);
  if (!milliseconds) return std::nullopt;
  return valueNameOf(row) + "=" + dwordData(*milliseconds);
}

// A REGEDIT4 string escapes only '\' and '"'; control characters and the five bytes
// Windows-1252 leaves undefined would not import as they were, so they are refused.
std::optional<std::string> regString(std::string_view utf8) {
  auto ansi = registry::utf8ToAnsi(utf8);
  if (!ansi) return std::nullopt;
  std::string escaped;
  for (char c : *ansi) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
        byte == 0x9D) {
      return std::nullopt;
    }
    if (c == '\\' || c == '"') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return quoted(escaped);
}

}  // namespace

std::optional<std::string> RegExportWriter(const EditedSettings& settings, char decimalSeparator) {
  auto retryLine = intervalLine(AgentSettingRow::UpdateFailureTime, settings.updateFailureText, decimalSeparator);
  auto updateLine = intervalLine(AgentSettingRow::UpdateSuccessTime, settings.updateSuccessText, decimalSeparator);
  if (!retryLine || !updateLine) return std::nullopt;

  std::string lines[] = {
      "REGEDIT4",
      "",
      sectionHeader(AgentSettingRow::RelayServerEnabled),
      valueNameOf(AgentSettingRow::RelayServerEnabled) + "=" + dwordData(settings.relayServer ? 1 : 0),
      sectionHeader(AgentSettingRow::UpdateFailureTime),
      *retryLine,
      *updateLine,
  };
  std::string file;
  for (const std::string& line : lines) file.append(line).append(kLineEnd);

  if (!settings.emailAddress.empty()) {
    auto email = regString(settings.emailAddress);
    if (!email) return std::nullopt;
    file.append(sectionHeader(AgentSettingRow::EmailAddress)).append(kLineEnd);
    file.append(valueNameOf(AgentSettingRow::EmailAddress) + "=" + *email).append(kLineEnd);
  }
  return file;
}

}  // namespace marovel::main_window
