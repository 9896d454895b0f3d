// The REGEDIT4 file that "Konfiguration speichern" writes: it sets the four edited settings
// when a real regedit imports it.
#pragma once

#include <optional>
#include <string>

#include "edited_settings.h"

namespace marovel::main_window {

// The file's bytes (Windows-1252, CR LF after every line), or nothing when a setting cannot be
// written faithfully: an interval that is no number or overflows, or an e-mail text with a
// control character or a character Windows-1252 cannot hold.
std::optional<std::string> RegExportWriter(const EditedSettings& settings, char decimalSeparator);

}  // namespace marovel::main_window
