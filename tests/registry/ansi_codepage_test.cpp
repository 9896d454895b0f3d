// The registry's A functions see Windows-1252: the stand-in always, Windows (and Wine) when the
// system code page is 1252. These cases fail under any other code page.
#include "ansi_codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace marovel::registry {
namespace {

TEST(AnsiCodePage, ConvertsTheWesternLettersBothWays) {
  struct Case {
    const char* utf8;
    const char* ansi;
  };
  const Case cases[] = {
      {"", ""},
      {"plain ASCII", "plain ASCII"},
      {"M\xC3\xBCller@example.de", "M\xFCller@example.de"},
      {"\xE2\x82\xAC", "\x80"},  // euro sign
      {"\xC5\xBD", "\x8E"},      // Z with caron
      {"\xC5\x93", "\x9C"},      // oe ligature
      {"\xC5\xB8", "\x9F"},      // Y with diaeresis
      {"\xC3\x80", "\xC0"},      // A with grave, which 1250 puts elsewhere
      {"\xC3\x9F", "\xDF"},      // sharp s
      {"\xC2\x81", "\x81"},      // an undefined byte stands for the C1 control of its number
      {"\xC2\x9D", "\x9D"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf8ToAnsi(c.utf8), std::string(c.ansi)) << c.utf8;
    EXPECT_EQ(ansiToUtf8(c.ansi), c.utf8) << c.utf8;
  }
}

TEST(AnsiCodePage, EveryByteSurvivesTheRoundTrip) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string ansi(1, static_cast<char>(byte));
    EXPECT_EQ(utf8ToAnsi(ansiToUtf8(ansi)), ansi) << "byte " << byte;
  }
}

TEST(AnsiCodePage, RefusesWhatTheCodePageCannotHold) {
  const char* const texts[] = {
      "\xC4\x80",              // A with macron: no best-fit "A"
      "\xE4\xB8\xAD",          // a CJK character
      "caf\xC3",               // cut-off UTF-8
      "\xFF",                  // not UTF-8 at all
      "ok \xF0\x9F\x98\x80",   // outside the basic plane
      "\xC1\x81",              // "A" in two bytes: overlong
      "\xE0\x82\xAC",          // the euro's bytes in three: overlong
      "a\x80" "b",             // a continuation byte without a lead
      "\xED\xA0\x80",          // an encoded surrogate
      "\xE2\x82",              // the euro sign cut off
  };
  for (const char* text : texts) EXPECT_FALSE(utf8ToAnsi(text).has_value()) << text;
}

}  // namespace
}  // namespace marovel::registry
