#include "email_fixup.h"

#include <gtest/gtest.h>

#include <string>

namespace marovel::settings {
namespace {

TEST(RepairEmailHyphens, ReplacesEveryExactEncodedHyphen) {
  struct Case {
    const char* stored;
    const char* repaired;
  };
  const Case cases[] = {
      {"first%2Dlast", "first-last"}, {"a%2Db%2Dc", "a-b-c"},     {"%2D", "-"},     {"%2D%2D", "--"},
      {"first%2dlast", "first%2dlast"}, {"first-last", "first-last"}, {"", ""},       {"%2", "%2"},
      {"%%2DD", "%-D"},               {"M\xC3\xBCller%2D", "M\xC3\xBCller-"},
  };
  for (const Case& c : cases) EXPECT_EQ(repairEmailHyphens(c.stored), c.repaired) << c.stored;
}

// What the diagnostics window's tests do not reach: where the search starts, and which copies change.
TEST(RepairUpdateUrlEmail, RepairsOnlyTheParameterFoundFromThe24thCharacter) {
  struct Case {
    const char* what;
    std::string stored;
    std::string repaired;
  };
  const std::string host = "http://upd.example.com/?";  // 24 characters
  const Case cases[] = {
      {"escapes outside the parameter stay", "http://upd.example.com/a%2Db?EmailAddress=c%2Dd&path=e%2Df",
       "http://upd.example.com/a%2Db?EmailAddress=c-d&path=e%2Df"},
      {"parameter name is case-sensitive", host + "emailaddress=a%2Db", host + "emailaddress=a%2Db"},
      {"shorter than 23 characters", "?EmailAddress=a%2Db", "?EmailAddress=a%2Db"},
      {"starts at character 23", "http://upd.example.c/?EmailAddress=a%2Db&x",
       "http://upd.example.c/?EmailAddress=a%2Db&x"},
      {"starts at character 24", "http://upd.example.co/?EmailAddress=a%2Db&x",
       "http://upd.example.co/?EmailAddress=a-b&x"},
      {"the first one found wins", host + "EmailAddress=a%2Db&EmailAddress=c%2Dd",
       host + "EmailAddress=a-b&EmailAddress=c%2Dd"},
      {"every copy of the found parameter is replaced", "EmailAddress=a%2Db&http://upd.example/?EmailAddress=a%2Db&q",
       "EmailAddress=a-b&http://upd.example/?EmailAddress=a-b&q"},
      // Counted in characters, not bytes: each umlaut is two bytes of UTF-8.
      {"umlauts before character 23", "http://\xC3\xBC\xC3\xA4\xC3\xB6.example.c/?EmailAddress=a%2Db",
       "http://\xC3\xBC\xC3\xA4\xC3\xB6.example.c/?EmailAddress=a%2Db"},
      {"umlauts before character 24", "http://\xC3\xBC\xC3\xA4\xC3\xB6.example.co/?EmailAddress=a%2Db",
       "http://\xC3\xBC\xC3\xA4\xC3\xB6.example.co/?EmailAddress=a-b"},
  };
  for (const Case& c : cases) EXPECT_EQ(repairUpdateUrlEmail(c.stored), c.repaired) << c.what;
}

}  // namespace
}  // namespace marovel::settings
