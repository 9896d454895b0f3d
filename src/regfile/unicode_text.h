// The Unicode forms a .reg file comes in: UTF-16LE (as regedit writes Version 5.00 files and as
// their text values are written) and UTF-8 (as the program holds text).
#pragma once

#include <string>
#include <string_view>

namespace marovel::regfile {

inline constexpr std::string_view Utf16leBom = "\xFF\xFE";
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// UTF-8 of UTF-16LE bytes; an unpaired surrogate or a last odd byte becomes U+FFFD.
std::string utf8OfUtf16le(std::string_view bytes);

// UTF-16LE of UTF-8 text; each byte that is not part of valid UTF-8 becomes U+FFFD.
std::string utf16leOfUtf8(std::string_view utf8);

// The text with each byte that is not part of valid UTF-8 replaced by U+FFFD.
std::string validUtf8(std::string_view bytes);

}  // namespace marovel::regfile
