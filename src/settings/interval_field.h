// Intervals are edited in whole minutes (1 to 1440) and stored in milliseconds; "-" means none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "setting_value.h"

namespace marovel::settings {

inline constexpr std::string_view NoValueMarker = "-";
constexpr double kMinIntervalMinutes = 1;
constexpr double kMaxIntervalMinutes = 1440;
constexpr std::int32_t kMillisecondsPerMinute = 60000;

// The one number parse for interval texts: optional blanks around, a sign, digits with the
// locale's decimal separator, an optional exponent. Group separators and anything else fail.
std::optional<double> parseLocaleNumber(std::string_view text, char decimalSeparator);

// Round to nearest, ties to even; empty when the result leaves the signed 32-bit range.
std::optional<std::int32_t> roundToInt32(double value);

// A stored relay flag or interval: a number, or a text that is a number; anything else is none.
std::optional<std::int32_t> storedNumber(const registry::SettingValue& value, char decimalSeparator);

// Milliseconds as minutes for the field: general format, up to 15 significant digits.
std::string formatIntervalMinutes(std::int32_t milliseconds, char decimalSeparator);

// What an interval field shows for a stored value: "-" when it is absent, 0 or not a number.
std::string intervalFieldText(const registry::SettingValue& stored, char decimalSeparator);

// "-" or a number from 1 to 1440.
bool isAcceptedIntervalText(std::string_view text, char decimalSeparator);

// Minutes text to milliseconds; empty when it is no number or the product overflows.
std::optional<std::int32_t> intervalTextToMilliseconds(std::string_view text, char decimalSeparator);

// What a field's text stores: for "-" no value (an empty one: the value is deleted), for a number
// its milliseconds; empty for any other text.
std::optional<registry::SettingValue> intervalTextToStored(std::string_view text, char decimalSeparator);

}  // namespace marovel::settings
