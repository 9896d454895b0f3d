#include "value_bytes.h"

#include <array>
#include <charconv>

namespace marovel::regfile {
namespace {

template <typename Number>
ValueBytes littleEndianBytes(Number number) {
  ValueBytes bytes;
  for (std::size_t i = 0; i < sizeof number; ++i) bytes.push_back(static_cast<std::uint8_t>(number >> 8 * i));
  return bytes;
}

template <typename Number>
std::optional<Number> littleEndianNumber(const ValueBytes& bytes) {
  if (bytes.size() != sizeof(Number)) return std::nullopt;
  Number number = 0;
  for (std::size_t i = 0; i < sizeof number; ++i) number |= static_cast<Number>(bytes[i]) << 8 * i;
  return number;
}

template <typename Number>
std::optional<Number> parseNumber(std::string_view digits, int base) {
  Number number = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

}  // namespace

ValueBytes textBytes(std::string_view text) {
  ValueBytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

ValueBytes dwordBytes(std::uint32_t number) { return littleEndianBytes(number); }
std::optional<std::uint32_t> dwordOf(const ValueBytes& bytes) { return littleEndianNumber<std::uint32_t>(bytes); }
ValueBytes qwordBytes(std::uint64_t number) { return littleEndianBytes(number); }
std::optional<std::uint64_t> qwordOf(const ValueBytes& bytes) { return littleEndianNumber<std::uint64_t>(bytes); }

std::optional<std::uint32_t> parseDword(std::string_view digits, int base) {
  return parseNumber<std::uint32_t>(digits, base);
}

std::optional<std::uint64_t> parseQword(std::string_view digits, int base) {
  return parseNumber<std::uint64_t>(digits, base);
}

std::string hexNumber(std::uint64_t number, std::size_t minDigits) {
  std::array<char, 16> buffer{};
  auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number, 16).ptr;
  std::string digits(buffer.data(), end);
  if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  return digits;
}

std::optional<std::uint8_t> hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  return std::nullopt;
}

}  // namespace marovel::regfile
