#pragma once

#include <string_view>

namespace marovel::main_window {

// The main window's caption, and the caption of messages that bring none of their own.
inline constexpr std::string_view kApplicationTitle = "Marovel Configuration Manager";

}  // namespace marovel::main_window
