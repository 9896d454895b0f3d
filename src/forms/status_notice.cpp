#include "status_notice.h"

#include <array>
#include <string>

#include "agent_settings_schema.h"
#include "main_window_form.h"
#include "registry_helpers.h"

namespace marovel::forms {
namespace {

using settings::AgentSettingRow;

constexpr std::array kWrittenRows{AgentSettingRow::RelayServerEnabled, AgentSettingRow::UpdateFailureTime,
                                  AgentSettingRow::EmailAddress};

LONG openForWriting(std::string_view keyName) {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(keyName).c_str(), 0, registry::kKeyAccess, &key);
  if (result == ERROR_SUCCESS) RegCloseKey(key);
  return result;
}

}  // namespace

StatusNotice probeAgentKeys() {
  bool writable = true;
  for (AgentSettingRow row : kWrittenRows) {
    LONG result = openForWriting(settings::agentSetting(row).writeKey);
    if (result == ERROR_FILE_NOT_FOUND) return StatusNotice::AgentKeysMissing;
    if (result != ERROR_SUCCESS) writable = false;
  }
  return writable ? StatusNotice::Ready : StatusNotice::NoWriteAccess;
}

StatusNotice noticeAfterApplying(bool registryTookSettings) {
  return registryTookSettings ? probeAgentKeys() : StatusNotice::NotApplied;
}

std::string_view statusNoticeText(StatusNotice notice) {
  switch (notice) {
    case StatusNotice::Ready:
      return main_window::kNoticeReady;
    case StatusNotice::AgentKeysMissing:
      return main_window::kNoticeKeysMissing;
    case StatusNotice::NoWriteAccess:
      return main_window::kNoticeNoWriteAccess;
    case StatusNotice::NotApplied:
      return main_window::kNoticeNotApplied;
  }
  return {};
}

}  // namespace marovel::forms
