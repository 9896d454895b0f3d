// The agent's values that the tool reads, edits and shows: fixed, compiled in.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace marovel::settings {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

enum class AgentSettingRow {
  RelayServerEnabled = 1,  // check box "Als &Relay-Server einstellen"
  UpdateFailureTime,       // retry interval after failed updates, milliseconds
  UpdateSuccessTime,       // regular update interval, milliseconds
  EmailAddress,
  UpdateNowUrl,
  DranelUploadPath,
  QuarantinePath,
  QuarantineUploadPath,
  QuarantineSubmitUrl,
};

// The agent writes some keys in different letter case in different places; the registry
// treats them alike, and each use keeps its own form so exported files read as before.
struct AgentSetting {
  AgentSettingRow row;
  std::string_view loadKey;    // as read when the window loads or the diagnostics window shows it
  std::string_view writeKey;   // as written, deleted or written back (empty: never written)
  std::string_view exportKey;  // in an exported file's section header (empty: never exported)
  std::string_view valueName;
  std::uint32_t type;
};

inline constexpr std::string_view kAgentKey = "Software\\Qorvi\\Agent";
inline constexpr std::string_view kBriselKeyLower = "Software\\Qorvi\\Agent\\SubSystems\\Brisel\\configuration";
inline constexpr std::string_view kBriselKey = "Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration";
inline constexpr std::string_view kForvelKeyLower = "Software\\Qorvi\\Agent\\SubSystems\\forvel\\configuration";
inline constexpr std::string_view kForvelKey = "Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration";
inline constexpr std::string_view kDranelKey = "Software\\Qorvi\\Agent\\SubSystems\\Dranel\\Configuration";
inline constexpr std::string_view kQuarantineKey = "Software\\Qorvi\\Quarantine";

inline constexpr std::array<AgentSetting, 9> AgentSettingsSchema{{
    {AgentSettingRow::RelayServerEnabled, kBriselKeyLower, kBriselKeyLower, kBriselKey, "dwBrisel2ServerEnabled",
     kRegDword},
    {AgentSettingRow::UpdateFailureTime, kForvelKeyLower, kForvelKey, kForvelKey, "dwUpdateFailureTime", kRegDword},
    {AgentSettingRow::UpdateSuccessTime, kForvelKeyLower, kForvelKey, kForvelKey, "dwUpdateSuccessTime", kRegDword},
    {AgentSettingRow::EmailAddress, kAgentKey, kAgentKey, kAgentKey, "szEmailAddress", kRegSz},
    {AgentSettingRow::UpdateNowUrl, kForvelKey, kForvelKey, {}, "szUpdateNowURL", kRegSz},
    {AgentSettingRow::DranelUploadPath, kDranelKey, {}, {}, "szUploadPath", kRegSz},
    {AgentSettingRow::QuarantinePath, kQuarantineKey, {}, {}, "szQuarantinePath", kRegSz},
    {AgentSettingRow::QuarantineUploadPath, kQuarantineKey, {}, {}, "szUploadPath", kRegSz},
    {AgentSettingRow::QuarantineSubmitUrl, kQuarantineKey, {}, {}, "szSubmitURL", kRegSz},
}};

constexpr const AgentSetting& agentSetting(AgentSettingRow row) {
  return AgentSettingsSchema[static_cast<std::size_t>(row) - 1];
}

}  // namespace marovel::settings
