// Raw value data and the numbers written in .reg files: little-endian DWORDs and QWORDs, hex digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marovel::regfile {

using ValueBytes = std::vector<std::uint8_t>;

inline std::string_view asText(const ValueBytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The text's bytes and one terminating NUL, as a REG_SZ is stored.
ValueBytes textBytes(std::string_view text);

ValueBytes dwordBytes(std::uint32_t number);
std::optional<std::uint32_t> dwordOf(const ValueBytes& bytes);  // only for exactly 4 bytes
ValueBytes qwordBytes(std::uint64_t number);
std::optional<std::uint64_t> qwordOf(const ValueBytes& bytes);  // only for exactly 8 bytes

// The whole text as an unsigned 32-bit (64-bit) number in the base; empty when out of range or not all digits.
std::optional<std::uint32_t> parseDword(std::string_view digits, int base);
std::optional<std::uint64_t> parseQword(std::string_view digits, int base);

std::optional<std::uint8_t> hexDigitValue(char c);

// Lower-case hex digits without prefix, zero-padded on the left to minDigits.
std::string hexNumber(std::uint64_t number, std::size_t minDigits = 1);

}  // namespace marovel::regfile
