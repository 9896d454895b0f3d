// Registry type names and the conversions of value data that several commands share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marovel::reg_tool {

using ValueBytes = std::vector<std::uint8_t>;

// "REG_SZ" and the like; a code without a name shows as "0x" and its hex digits.
std::string typeNameOf(std::uint32_t type);

// The types `add` can write: REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY (any letter case).
// Throws ToolError for another name.
std::uint32_t writableTypeNamed(std::string_view name);

// The stored bytes of `add`'s data text (ANSI) for a writable type: a text with its
// terminating NUL; a DWORD given in decimal or 0x-hex, little-endian; hex pairs without
// separators for REG_BINARY. Throws ToolError for data the type cannot take.
ValueBytes valueBytesFromText(std::uint32_t type, std::string_view data);

inline std::string_view asText(const ValueBytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

ValueBytes dwordBytes(std::uint32_t number);
std::optional<std::uint32_t> dwordOf(const ValueBytes& bytes);  // only for exactly 4 bytes

// The whole text as an unsigned 32-bit number in the base; empty when out of range or not all digits.
std::optional<std::uint32_t> parseDword(std::string_view digits, int base);

std::optional<std::uint8_t> hexDigitValue(char c);

// Lower-case hex digits without prefix, zero-padded on the left to minDigits.
std::string hexNumber(std::uint64_t number, std::size_t minDigits = 1);

}  // namespace marovel::reg_tool
