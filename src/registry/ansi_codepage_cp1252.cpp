// Windows-1252 for the stand-in, converted with its own table: the code page is small and fixed,
// and a table needs no converter module loaded at run time.
#include <array>
#include <cstdint>

#include "ansi_codepage.h"
#include "utf8_codec.h"

namespace marovel::registry {
namespace {

// The characters of bytes 0x80..0x9F; the five bytes Windows-1252 leaves undefined stand for the
// C1 control of the same number, as on Windows. Every other byte is the character of its number.
constexpr std::array<char32_t, 32> kHighControlsBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t characterOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControlsBlock[byte - 0x80] : char32_t{byte};
}

std::optional<unsigned char> byteOf(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<unsigned char>(character);
  for (std::size_t n = 0; n < kHighControlsBlock.size(); ++n) {
    if (kHighControlsBlock[n] == character) return static_cast<unsigned char>(0x80 + n);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
  std::string ansi;
  ansi.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto decoded = decodeUtf8(utf8);
    const auto byte = decoded ? byteOf(decoded->character) : std::nullopt;
    if (!byte) return std::nullopt;
    ansi.push_back(static_cast<char>(*byte));
    utf8.remove_prefix(decoded->length);
  }
  return ansi;
}

std::string ansiToUtf8(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size());
  for (char byte : ansi) appendUtf8(utf8, characterOf(static_cast<unsigned char>(byte)));
  return utf8;
}

}  // namespace marovel::registry
