#include "unicode_text.h"

#include <utility>

#include "utf8_codec.h"

namespace marovel::regfile {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// A code point and how many bytes of the input it took.
using Decoded = std::pair<char32_t, std::size_t>;

unsigned byteAt(std::string_view text, std::size_t index) { return static_cast<unsigned char>(text[index]); }

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

Decoded nextUtf8(std::string_view text) {
  if (auto decoded = registry::decodeUtf8(text)) return {decoded->character, decoded->length};
  return {Replacement, 1};
}

char32_t unitAt(std::string_view bytes, std::size_t index) {
  return byteAt(bytes, index) | byteAt(bytes, index + 1) << 8;
}

Decoded nextUtf16le(std::string_view bytes) {
  if (bytes.size() < 2) return {Replacement, bytes.size()};
  const char32_t unit = unitAt(bytes, 0);
  if (!isSurrogate(unit)) return {unit, 2};
  if (unit >= 0xDC00 || bytes.size() < 4) return {Replacement, 2};
  const char32_t low = unitAt(bytes, 2);
  if (low < 0xDC00 || low > 0xDFFF) return {Replacement, 2};
  return {0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), 4};
}

void appendUtf16le(std::string& out, char32_t c) {
  auto put = [&](char32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  };
  if (c < 0x10000) {
    put(c);
  } else {
    put(0xD800 + ((c - 0x10000) >> 10));
    put(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

std::string transcoded(std::string_view in, Decoded (*next)(std::string_view), void (*append)(std::string&, char32_t)) {
  std::string out;
  while (!in.empty()) {
    const auto [c, length] = next(in);
    append(out, c);
    in.remove_prefix(length);
  }
  return out;
}

}  // namespace

std::string utf8OfUtf16le(std::string_view bytes) { return transcoded(bytes, nextUtf16le, registry::appendUtf8); }

std::string utf16leOfUtf8(std::string_view utf8) { return transcoded(utf8, nextUtf8, appendUtf16le); }

std::string validUtf8(std::string_view bytes) { return transcoded(bytes, nextUtf8, registry::appendUtf8); }

}  // namespace marovel::regfile
