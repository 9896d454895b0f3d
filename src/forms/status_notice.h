// The one-line notice of the main window: whether the agent's settings could be read, are there
// and may be written.
#pragma once

#include <array>
#include <string_view>

#include "win32_registry.h"

namespace marovel::forms {

// In rising weight: when several hold, the notice tells the heaviest.
enum class StatusNotice {
  Ready,             // the reads succeeded and the agent's keys may be written
  NoWriteAccess,     // a key may not be written: the user lacks administrative rights
  AgentKeysMissing,  // a key the window reads or writes does not exist
  Unreadable,        // the registry could not be read (a damaged store, for instance)
  NotApplied,        // after applying, the registry does not hold what the window shows
};

inline constexpr std::array kEveryStatusNotice{StatusNotice::Ready, StatusNotice::NoWriteAccess,
                                               StatusNotice::AgentKeysMissing, StatusNotice::Unreadable,
                                               StatusNotice::NotApplied};

// Opens each key the window writes with the rights the routines ask for, and closes it again.
StatusNotice probeAgentKeys();

// After loading, from the first read that failed for another reason than a missing key or value
// (ERROR_SUCCESS when none did) and from what the keys say.
StatusNotice noticeAfterLoading(LONG failedRead);

// After applying: NotApplied unless the registry took the settings, else what the keys say now.
StatusNotice noticeAfterApplying(bool registryTookSettings);

// German, short enough for one line of the notice label; UTF-8.
std::string_view statusNoticeText(StatusNotice notice);

}  // namespace marovel::forms
