#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace marovel::registry {

// What one registry value means to the tool: nothing, a text (UTF-8), or a signed 32-bit number.
using SettingValue = std::variant<std::monostate, std::string, std::int32_t>;

inline bool isEmpty(const SettingValue& value) { return std::holds_alternative<std::monostate>(value); }

}  // namespace marovel::registry
