// The four settings the main window edits, as its controls hold them, and how they travel
// between those controls and the agent's registry keys. No toolkit: any front end can use it.
#pragma once

#include <string>

#include "win32_registry.h"

namespace marovel::forms {

struct EditedSettings {
  bool relayServer = false;         // the relay check box
  std::string updateSuccessText;    // the update interval field: minutes or "-"
  std::string updateFailureText;    // the retry interval field: minutes or "-"
  std::string emailAddress;         // the e-mail field
  bool operator==(const EditedSettings&) const = default;
};

// What loading gives the window: the settings for its controls, and the first read that failed
// for another reason than a missing key or value (ERROR_SUCCESS when none did).
struct LoadedSettings {
  EditedSettings settings;
  LONG failedRead = ERROR_SUCCESS;
};

// Reads the four values for the controls and writes the repaired e-mail address back at once,
// when it was stored as a text.
LoadedSettings loadEditedSettings(char decimalSeparator);

// Writes the flag, writes or deletes each interval, and writes a non-empty e-mail address.
// An interval text that is no number of minutes is left out (the window never passes one).
void applyEditedSettings(const EditedSettings& settings, char decimalSeparator);

// Whether the registry now holds what applying these settings asks for.
bool registryHolds(const EditedSettings& settings, char decimalSeparator);

}  // namespace marovel::forms
