// The one-line notice of the main window: whether the agent's settings can be read and written.
#pragma once

#include <string_view>

namespace marovel::forms {

enum class StatusNotice {
  Ready,             // the agent's keys are there and may be written
  AgentKeysMissing,  // a key the window reads or writes does not exist
  NoWriteAccess,     // a key may not be written: the user lacks administrative rights
  NotApplied,        // after applying, the registry does not hold what the window shows
};

// Opens each key the window writes with the rights the routines ask for, and closes it again.
StatusNotice probeAgentKeys();

// After applying: NotApplied unless the registry took the settings, else what the keys say now.
StatusNotice noticeAfterApplying(bool registryTookSettings);

// German, short enough for one line of the notice label; UTF-8.
std::string_view statusNoticeText(StatusNotice notice);

}  // namespace marovel::forms
