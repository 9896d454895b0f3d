// Conversion between the program's UTF-8 and the ANSI code page the registry's A functions use:
// the system's on Windows, Windows-1252 elsewhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marovel::registry {

// Empty optional when the text has a character the code page cannot hold (or is not valid UTF-8).
std::optional<std::string> utf8ToAnsi(std::string_view utf8);

// Never fails: every ANSI byte has a meaning.
std::string ansiToUtf8(std::string_view ansi);

}  // namespace marovel::registry
