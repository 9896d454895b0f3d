// The main configuration window as designed, and every text it shows: the one place for them.
#pragma once

#include <string_view>

#include "form_description.h"

namespace marovel::forms::main_window {

enum Control : ControlId {
  SettingsGroup,
  RelayLabel,
  RelayCheck,
  UpdateIntervalLabel,
  UpdateIntervalField,
  UpdateMinutesLabel,
  RetryIntervalLabel,
  RetryIntervalField,
  RetryMinutesLabel,
  EmailLabel,
  EmailField,
  ApplyButton,
  SaveButton,
  DiagnoseButton,
  EndButton,
  NoticeLabel,
};

const FormDescription& description();

// The window's caption, and the caption of messages that bring none of their own.
inline constexpr std::string_view kApplicationTitle = "Marovel Configuration Manager";

inline constexpr std::string_view kIntervalRefusal = "Bitte eine Zahl zwischen 1 und 1440 oder - eingeben!";

inline constexpr std::string_view kSaveFilter = "REG (*.reg)";
inline constexpr std::string_view kSaveDefaultExtension = "reg";
inline constexpr std::string_view kSaveInitialName = "*.reg";
inline constexpr std::string_view kSaveFailureCaption = "Fehlerbehandlung";
inline constexpr std::string_view kSaveFailureText =
    "Es ist ein Fehler aufgetreten. Es wird nichts gespeichert, bzw. die Datei gelöscht. ";

// The notice line: each short enough for one line of the notice label.
inline constexpr std::string_view kNoticeReady = "Agent-Einstellungen geladen.";
inline constexpr std::string_view kNoticeKeysMissing = "Agent-Einstellungen fehlen.";
inline constexpr std::string_view kNoticeNoWriteAccess = "Ändern nur als Administrator.";
inline constexpr std::string_view kNoticeUnreadable = "Agent-Einstellungen nicht lesbar.";
inline constexpr std::string_view kNoticeNotApplied = "Änderung nicht übernommen!";

}  // namespace marovel::forms::main_window
