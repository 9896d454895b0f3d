#pragma once

#include <string>

#include "reg_file.h"

namespace marovel::reg_tool {

// The REGEDIT4 text of the sections, CR LF line ends, an empty line between sections. A text
// value that a quoted string cannot carry exactly (no terminating NUL, an inner NUL, a line
// break) and a DWORD not of 4 bytes are written as hex(…) so that reading gives the same bytes.
// Throws ToolError for a key path or value name with a line break.
std::string writeRegFile(const RegFile& sections);

}  // namespace marovel::reg_tool
