#include "email_fixup.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace marovel::settings
