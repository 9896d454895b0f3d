// The user-interface edge speaks UTF-16 (the W functions); everything inside speaks UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace marovel::win32_ui {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

}  // namespace marovel::win32_ui
