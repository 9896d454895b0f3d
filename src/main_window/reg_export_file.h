// Saving the edited settings as a REGEDIT4 file under a name the user chose.
#pragma once

#include <QString>

#include "edited_settings.h"

namespace marovel::main_window {

// All or nothing: the bytes are made first, then written to a temporary file beside the chosen
// name that replaces it only once complete. On any failure nothing is left behind and an older
// file of that name stays as it was. The name is taken literally.
bool saveRegExportFile(const QString& fileName, const EditedSettings& settings, char decimalSeparator);

}  // namespace marovel::main_window
