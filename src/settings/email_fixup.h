// The agent once stored the hyphen of e-mail addresses URL-encoded as "%2D"; the tool turns it back.
#pragma once

#include <string>
#include <string_view>

namespace marovel::settings {

// Every "%2D" (exactly so; "%2d" stays) becomes "-".
std::string repairEmailHyphens(std::string_view text);

}  // namespace marovel::settings
