// The REGEDIT4 file "Konfiguration speichern" writes: it sets the four edited settings when a
// real regedit imports it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "edited_settings.h"

namespace marovel::forms {

// The file's bytes (Windows-1252, CR LF after every line), or nothing when a setting cannot be
// written faithfully: an interval that is no number or overflows, or an e-mail text with a
// control character or a character Windows-1252 cannot hold.
std::optional<std::string> settingsRegFile(const EditedSettings& settings, char decimalSeparator);

// All or nothing: the bytes are made first, then written safely under the chosen name (taken
// literally). False on any failure; an older file of that name then stays as it was.
bool saveSettingsRegFile(const std::filesystem::path& fileName, const EditedSettings& settings,
                         char decimalSeparator);

}  // namespace marovel::forms
