// The user-interface edge speaks UTF-16 (the W functions); everything inside speaks UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace marovel::win32_ui {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// A window's text, in this process or another (WM_GETTEXT reads another process's edit controls).
std::string windowText(HWND window);

}  // namespace marovel::win32_ui
