// The pieces of a value line as Windows's importer reads them: quoted names and texts, dword: and
// hex lists (which may go on over further lines), blanks and ';' comments. Each throws LineFault
// where Windows would skip the line, so that a file is only ever taken whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reg_file_lines.h"
#include "value_bytes.h"

namespace marovel::regfile {

// The text without the blanks (spaces and tabs) it starts with.
std::string_view afterBlanks(std::string_view text);

// Whether nothing but blanks, or blanks and a ';' comment, make up the text.
bool isEndOrComment(std::string_view text);

// Throws LineFault unless isEndOrComment(rest); what names what the rest follows.
void requireEndOrComment(std::string_view rest, std::string_view what);

// The quoted string text starts with, with \\ and \" unescaped; text is left after its closing
// quote. Any other escape, a lone '\' at the end and a missing closing quote are faults.
std::string takeQuoted(std::string_view& text);

// The number after "dword:": blanks, 1 to 8 hex digits, then only blanks or a comment.
std::uint32_t dwordNumber(std::string_view text);

// The bytes after "hex:" or "hex(T):": one or two hex digits each, separated by commas with
// blanks after them, maybe ending in a comma. A '\' after a comma goes on in the next line that
// starts with a hex digit; blank lines and ';' comment lines between are passed over.
ValueBytes hexBytes(std::string_view text, LineCursor& lines);

}  // namespace marovel::regfile
