// UTF-8 a character at a time: one decoder for the code-page tables and the .reg files' texts,
// so that both take and refuse the same sequences.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace marovel::registry {

struct Utf8Character {
  char32_t character;
  std::size_t length;  // bytes of the input it took
};

// The character that a well-formed sequence at the start of a non-empty text encodes; none for
// a malformed, cut-off or overlong sequence, an encoded surrogate or a code point past U+10FFFF.
inline std::optional<Utf8Character> decodeUtf8(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 0x6 ? 2 : lead >> 4 == 0xE ? 3 : lead >> 3 == 0x1E ? 4 : 0;
  if (length == 0 || text.size() < length) return std::nullopt;
  char32_t character = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t n = 1; n < length; ++n) {
    const auto next = static_cast<unsigned char>(text[n]);
    if (next >> 6 != 0x2) return std::nullopt;
    character = character << 6 | (next & 0x3F);
  }
  constexpr std::array<char32_t, 5> kSmallestOfLength = {0, 0, 0x80, 0x800, 0x10000};
  if (character < kSmallestOfLength[length] || character > 0x10FFFF || (character >= 0xD800 && character < 0xE000)) {
    return std::nullopt;
  }
  return Utf8Character{character, length};
}

inline void appendUtf8(std::string& out, char32_t character) {
  auto put = [&](char32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (character < 0x80) {
    put(character);
  } else if (character < 0x800) {
    put(0xC0 | character >> 6);
    put(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    put(0xE0 | character >> 12);
    put(0x80 | (character >> 6 & 0x3F));
    put(0x80 | (character & 0x3F));
  } else {
    put(0xF0 | character >> 18);
    put(0x80 | (character >> 12 & 0x3F));
    put(0x80 | (character >> 6 & 0x3F));
    put(0x80 | (character & 0x3F));
  }
}

}  // namespace marovel::registry
