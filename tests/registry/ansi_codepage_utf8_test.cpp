// Windows only: the conversion works for any ANSI code page, UTF-8 (65001) included, which
// Windows refuses to convert with the flags a single-byte code page needs. Wine cannot be set to
// a UTF-8 ANSI code page, so the code page is named here.
#include <gtest/gtest.h>

#include <string>

#include "ansi_codepage_win32.h"

namespace marovel::registry {
namespace {

constexpr unsigned kUtf8 = 65001;
constexpr unsigned kWestern = 1252;

TEST(AnsiCodePageUtf8, KeepsEveryCharacterAsItsUtf8Bytes) {
  const char* const texts[] = {"", "plain", "M\xC3\xBCller@example.de", "\xE2\x82\xAC", "\xE4\xB8\xAD",
                               "ok \xF0\x9F\x98\x80"};
  for (const char* text : texts) {
    EXPECT_EQ(utf8ToCodePage(text, kUtf8), std::string(text)) << text;
    EXPECT_EQ(codePageToUtf8(text, kUtf8), text) << text;
  }
}

TEST(AnsiCodePageUtf8, RefusesWhatIsNotUtf8AndWhatAnotherCodePageCannotHold) {
  EXPECT_FALSE(utf8ToCodePage("caf\xC3", kUtf8).has_value());
  EXPECT_FALSE(utf8ToCodePage("\xFF", kUtf8).has_value());
  EXPECT_FALSE(utf8ToCodePage("\xE4\xB8\xAD", kWestern).has_value());
  EXPECT_EQ(utf8ToCodePage("M\xC3\xBCller \xE2\x82\xAC", kWestern), std::string("M\xFCller \x80"));
}

}  // namespace
}  // namespace marovel::registry
