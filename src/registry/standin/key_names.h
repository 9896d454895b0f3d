// Key and value names as the registry sees them: ANSI bytes matched without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace marovel::standin {

// The upper-case form under which two names count as the same (ASCII and the Windows-1252 letters).
std::string foldedName(std::string_view name);

// The registry's limits, in characters (one byte each in the ANSI code page).
constexpr std::size_t kMaxKeyNameLength = 256;
constexpr std::size_t kMaxValueNameLength = 16383;
// How many levels below HKEY_LOCAL_MACHINE a key may lie.
constexpr std::size_t kMaxKeyDepth = 512;

// The '\'-separated components of a key path; "" gives none (the key itself). Empty components
// (repeated or trailing '\') are skipped; a leading '\' throws ERROR_BAD_PATHNAME, and a
// component longer than kMaxKeyNameLength ERROR_INVALID_PARAMETER.
std::vector<std::string_view> keyPathComponents(std::string_view path);

}  // namespace marovel::standin
