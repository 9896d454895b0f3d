// Writing .reg files in the forms regedit imports: the one writer for every file the tools save.
#pragma once

#include <string>
#include <string_view>

#include "reg_file.h"

namespace marovel::regfile {

// How the lines are laid out; the data is the same either way.
struct RegFileStyle {
  bool upperCaseHex = false;              // dword:05265C00 rather than dword:05265c00
  bool blankLineBetweenSections = true;
};

// Whether a quoted string gives back exactly these ANSI bytes wherever it is imported: no
// control character and none of the five bytes Windows-1252 leaves undefined.
bool isQuotableText(std::string_view ansi);

// "REGEDIT4", an empty line, then the sections, each line ending in CR LF. A REG_SZ whose text
// is quotable and which ends in its one NUL is written as a quoted string with \ and " escaped;
// any other text, and a DWORD not of 4 bytes, as hex(…), so that reading gives the same bytes.
// Throws RegFileError for what the reader would not read back the same: a key path or value
// name with a line break or NUL, a key path with an empty component or a trailing \, values on
// HKEY_LOCAL_MACHINE itself or in a section that deletes its key, or deleting the root.
std::string writeRegFile(const RegFile& sections, const RegFileStyle& style = {});

// The same sections as "Windows Registry Editor Version 5.00", as today's regedit exports: UTF-16LE
// with its byte-order mark, and text values written as hex(…) in UTF-16LE, so that reading gives
// the same ANSI bytes. Throws RegFileError as writeRegFile does.
std::string writeUnicodeRegFile(const RegFile& sections);

}  // namespace marovel::regfile
