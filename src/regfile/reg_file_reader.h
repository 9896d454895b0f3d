// Reading REGEDIT4 files, the form regedit exports and imports.
#pragma once

#include <string_view>

#include "reg_file.h"

namespace marovel::regfile {

// Parses a whole REGEDIT4 text (CR LF or LF line ends). The first fault throws RegFileError
// "FILE:LINE: what: the line", so that nothing is applied from a file that is not sound.
RegFile readRegFile(std::string_view text, std::string_view fileName);

}  // namespace marovel::regfile
