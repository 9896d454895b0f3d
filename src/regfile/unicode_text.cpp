#include "unicode_text.h"

#include <array>
#include <utility>

namespace marovel::regfile {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// A code point and how many bytes of the input it took.
using Decoded = std::pair<char32_t, std::size_t>;

unsigned byteAt(std::string_view text, std::size_t index) { return static_cast<unsigned char>(text[index]); }

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

Decoded nextUtf8(std::string_view text) {
  const unsigned lead = byteAt(text, 0);
  if (lead < 0x80) return {lead, 1};
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || text.size() < length) return {Replacement, 1};
  char32_t c = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byteAt(text, i) & 0xC0) != 0x80) return {Replacement, 1};
    c = c << 6 | (byteAt(text, i) & 0x3F);
  }
  // The shortest form only, and only code points that are characters' places.
  constexpr std::array<char32_t, 5> smallest = {0, 0, 0x80, 0x800, 0x10000};
  if (c < smallest[length] || c > 0x10FFFF || isSurrogate(c)) return {Replacement, 1};
  return {c, length};
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

void appendUtf8(std::string& out, char32_t c) {
  auto put = [&](unsigned byte) { out.push_back(static_cast<char>(byte)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6);
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12);
    put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18);
    put(0x80 | (c >> 12 & 0x3F));
    put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  }
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

std::string utf8OfUtf16le(std::string_view bytes) { return transcoded(bytes, nextUtf16le, appendUtf8); }

std::string utf16leOfUtf8(std::string_view utf8) { return transcoded(utf8, nextUtf8, appendUtf16le); }

std::string validUtf8(std::string_view bytes) { return transcoded(bytes, nextUtf8, appendUtf8); }

}  // namespace marovel::regfile
