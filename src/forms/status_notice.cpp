#include "status_notice.h"

#include <algorithm>
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
  LONG result = registry::openUnderLocalMachine(std::string(keyName), key);
  if (result == ERROR_SUCCESS) RegCloseKey(key);
  return result;
}

// What a registry result says about the settings; only a denial is put down to rights.
StatusNotice noticeFor(LONG result, StatusNotice whenNotFound) {
  switch (result) {
    case ERROR_SUCCESS:
      return StatusNotice::Ready;
    case ERROR_FILE_NOT_FOUND:
      return whenNotFound;
    case ERROR_ACCESS_DENIED:
      return StatusNotice::NoWriteAccess;
    default:
      return StatusNotice::Unreadable;
  }
}

}  // namespace

StatusNotice probeAgentKeys() {
  StatusNotice notice = StatusNotice::Ready;
  for (AgentSettingRow row : kWrittenRows) {
    LONG result = openForWriting(settings::agentSetting(row).writeKey);
    notice = std::max(notice, noticeFor(result, StatusNotice::AgentKeysMissing));
  }
  return notice;
}

// A missing value is no failed read: the window shows its default.
StatusNotice noticeAfterLoading(LONG failedRead) {
  return std::max(noticeFor(failedRead, StatusNotice::Ready), probeAgentKeys());
}

StatusNotice noticeAfterApplying(bool registryTookSettings) {
  return registryTookSettings ? probeAgentKeys() : StatusNotice::NotApplied;
}

std::string_view statusNoticeText(StatusNotice notice) {
  switch (notice) {
    case StatusNotice::Ready:
      return main_window::kNoticeReady;
    case StatusNotice::NoWriteAccess:
      return main_window::kNoticeNoWriteAccess;
    case StatusNotice::AgentKeysMissing:
      return main_window::kNoticeKeysMissing;
    case StatusNotice::Unreadable:
      return main_window::kNoticeUnreadable;
    case StatusNotice::NotApplied:
      return main_window::kNoticeNotApplied;
  }
  return {};
}

}  // namespace marovel::forms
