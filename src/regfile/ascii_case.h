// Letter case of ASCII letters only: root names, option and type names, and the names of
// keys and values, which the registry matches without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace marovel::regfile {

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string lowerCase(std::string text);
std::string upperCase(std::string text);

}  // namespace marovel::regfile
