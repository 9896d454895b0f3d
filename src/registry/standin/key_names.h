// Key and value names as the registry sees them: ANSI bytes matched without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marovel::standin {

// The upper-case form under which two names count as the same (ASCII and the Windows-1252 letters).
std::string foldedName(std::string_view name);

// The '\'-separated components of a key path; "" gives none (the key itself). A trailing '\' is
// ignored; an empty component elsewhere throws ERROR_BAD_PATHNAME.
std::vector<std::string_view> keyPathComponents(std::string_view path);

}  // namespace marovel::standin
