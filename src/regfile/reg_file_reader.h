// Reading .reg files in both forms regedit imports: REGEDIT4 and Version 5.00.
#pragma once

#include <string_view>

#include "reg_file.h"

namespace marovel::regfile {

// Parses a whole file's bytes: REGEDIT4 in ANSI, or Version 5.00 in UTF-16LE with its byte-order
// mark or in UTF-8 (with or without one); CR LF, CR or LF line ends; ';' and '#' comment lines;
// type tags in lower case only. Names and texts come out as
// ANSI bytes, as do the UTF-16LE text values (hex(1), hex(2), hex(7)) of a Version 5.00 file.
// The first fault throws RegFileError "FILE:LINE: what: the line", so that nothing is applied
// from a file that is not sound; a character Windows-1252 cannot hold is such a fault.
RegFile readRegFile(std::string_view bytes, std::string_view fileName);

}  // namespace marovel::regfile
