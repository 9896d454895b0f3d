#pragma once

#include <string_view>

#include "reg_file.h"

namespace marovel::reg_tool {

// Parses a whole REGEDIT4 text (CR LF or LF line ends). The first fault throws ToolError
// "FILE:LINE: what: the line", so that nothing is applied from a file that is not sound.
RegFile readRegFile(std::string_view text, std::string_view fileName);

}  // namespace marovel::reg_tool
