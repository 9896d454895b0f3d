// The UTF-16LE and UTF-8 conversions under the .reg reader and writer, at their edges: characters
// beyond the basic plane, and input that is not sound (which the reader then refuses).
#include "unicode_text.h"

#include <gtest/gtest.h>

namespace marovel::regfile {
namespace {

struct ConversionCase {
  std::string from;
  std::string to;
};

TEST(UnicodeText, Utf16leToUtf8) {
  const ConversionCase cases[] = {
      {std::string("A\0\xFC\0\xAC\x20", 6), "A\xC3\xBC\xE2\x82\xAC"},
      {std::string("\x3D\xD8\x00\xDE", 4), "\xF0\x9F\x98\x80"},             // a surrogate pair
      {std::string("\x3D\xD8" "A\0", 4), "\xEF\xBF\xBD" "A"},                // a high surrogate alone
      {std::string("\x00\xDE" "A\0", 4), "\xEF\xBF\xBD" "A"},                // a low surrogate alone
      {std::string("A\0B", 3), "A\xEF\xBF\xBD"},                             // half a unit at the end
      {std::string("\0\0", 2), std::string("\0", 1)},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8OfUtf16le(c.from), c.to) << testing::PrintToString(c.from);
}

TEST(UnicodeText, Utf8ToUtf16le) {
  const ConversionCase cases[] = {
      {"A\xC3\xBC\xE2\x82\xAC", std::string("A\0\xFC\0\xAC\x20", 6)},
      {"\xF0\x9F\x98\x80", std::string("\x3D\xD8\x00\xDE", 4)},
      {"\xF4\x8F\xBF\xBF", std::string("\xFF\xDB\xFF\xDF", 4)},  // the last code point
      {"\xC0\xAF", std::string("\xFD\xFF\xFD\xFF", 4)},          // an overlong '/'
      {"\xED\xA0\x80", std::string("\xFD\xFF\xFD\xFF\xFD\xFF", 6)},  // an encoded surrogate
      {"\xF4\x90\x80\x80", std::string("\xFD\xFF\xFD\xFF\xFD\xFF\xFD\xFF", 8)},  // beyond U+10FFFF
      {"\xE2\x82", std::string("\xFD\xFF\xFD\xFF", 4)},  // cut off
      {"\xF8\x90\x80\x80", std::string("\xFD\xFF\xFD\xFF\xFD\xFF\xFD\xFF", 8)},  // no lead byte of UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(utf16leOfUtf8(c.from), c.to) << testing::PrintToString(c.from);
}

}  // namespace
}  // namespace marovel::regfile
