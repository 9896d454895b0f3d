// Windows only: the conversions for a code page named explicitly, so that a test can hold them
// against a code page the machine does not use (Windows set to UTF-8, 65001, among them).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marovel::registry {

// Empty optional when the text has a character the code page cannot hold (or is not valid UTF-8).
std::optional<std::string> utf8ToCodePage(std::string_view utf8, unsigned codePage);

std::string codePageToUtf8(std::string_view text, unsigned codePage);

}  // namespace marovel::registry
