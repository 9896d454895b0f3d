// The agent once stored the hyphen of e-mail addresses URL-encoded as "%2D"; the tool turns it back.
#pragma once

#include <string>
#include <string_view>

namespace marovel::settings {

// Every "%2D" (exactly so; "%2d" stays) becomes "-".
std::string repairEmailHyphens(std::string_view text);

// Repairs the hyphens of the update URL's "EmailAddress=" parameter: the first one that starts
// at or after the 24th character (UTF-8 text, counted in characters), up to the next "&" or
// the end. Every copy of that parameter in the URL is replaced by its repaired form; a URL
// without such a parameter comes back unchanged.
std::string repairUpdateUrlEmail(std::string_view url);

}  // namespace marovel::settings
