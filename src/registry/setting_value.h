#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace marovel::registry {

// What one registry value means to the tool: nothing, a text (UTF-8), or a
// signed 32-bit number.
using SettingValue = std::variant<std::monostate, std::string, std::int32_t>;

inline bool isEmpty(const SettingValue &value) { return std::holds_alternative<std::monostate>(value); }

// The value as text: a number as its digits, nothing as "".
inline std::string textOf(const SettingValue &value) {
  if (const auto *text = std::get_if<std::string>(&value)) return *text;
  if (const auto *number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return {};
}

}  // namespace marovel::registry
