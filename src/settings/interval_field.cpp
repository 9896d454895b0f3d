#include "interval_field.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace marovel::settings {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Copies a run of digits to out and returns how many there were.
std::size_t takeDigits(std::string_view text, std::size_t& pos, std::string& out) {
  std::size_t start = pos;
  while (pos < text.size() && isDigit(text[pos])) out.push_back(text[pos++]);
  return pos - start;
}

}  // namespace

std::optional<double> parseLocaleNumber(std::string_view text, char decimalSeparator) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  text = text.substr(begin, end - begin);

  // Rewritten in the C locale's form for from_chars, which takes no leading '+'.
  std::string plain;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') plain.push_back('-');
    ++pos;
  }
  std::size_t digits = takeDigits(text, pos, plain);
  if (pos < text.size() && text[pos] == decimalSeparator) {
    plain.push_back('.');
    ++pos;
    digits += takeDigits(text, pos, plain);
  }
  if (digits == 0) return std::nullopt;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    plain.push_back('e');
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) plain.push_back(text[pos++]);
    if (takeDigits(text, pos, plain) == 0) return std::nullopt;
  }
  if (pos != text.size()) return std::nullopt;

  double value = 0;
  auto [last, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || last != plain.data() + plain.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> roundToInt32(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = std::nearbyint(value);  // the default rounding mode: to nearest, ties to even
  if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> storedNumber(const registry::SettingValue& value, char decimalSeparator) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (auto parsed = parseLocaleNumber(*text, decimalSeparator)) return roundToInt32(*parsed);
  }
  return std::nullopt;
}

std::string formatIntervalMinutes(std::int32_t milliseconds, char decimalSeparator) {
  double minutes = static_cast<double>(milliseconds) / kMillisecondsPerMinute;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, minutes, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == '.') c = decimalSeparator;
    if (c == 'e') c = 'E';
  }
  return text;
}

std::string intervalFieldText(const registry::SettingValue& stored, char decimalSeparator) {
  auto milliseconds = storedNumber(stored, decimalSeparator);
  if (!milliseconds || *milliseconds == 0) return std::string(NoValueMarker);
  return formatIntervalMinutes(*milliseconds, decimalSeparator);
}

bool isAcceptedIntervalText(std::string_view text, char decimalSeparator) {
  if (text == NoValueMarker) return true;
  auto minutes = parseLocaleNumber(text, decimalSeparator);
  return minutes && *minutes >= kMinIntervalMinutes && *minutes <= kMaxIntervalMinutes;
}

std::optional<std::int32_t> intervalTextToMilliseconds(std::string_view text, char decimalSeparator) {
  auto minutes = parseLocaleNumber(text, decimalSeparator);
  if (!minutes) return std::nullopt;
  auto whole = roundToInt32(*minutes);
  if (!whole) return std::nullopt;
  std::int64_t product = static_cast<std::int64_t>(*whole) * kMillisecondsPerMinute;
  if (product < std::numeric_limits<std::int32_t>::min() || product > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(product);
}

std::optional<registry::SettingValue> intervalTextToStored(std::string_view text, char decimalSeparator) {
  if (text == NoValueMarker) return registry::SettingValue{};
  auto milliseconds = intervalTextToMilliseconds(text, decimalSeparator);
  if (!milliseconds) return std::nullopt;
  return registry::SettingValue{*milliseconds};
}

}  // namespace marovel::settings
