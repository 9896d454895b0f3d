#include "query_output.h"

#include <gtest/gtest.h>

#include "value_data.h"

namespace marovel::reg_tool {
namespace {

using standin::StoredValue;

ValueBytes bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

struct LineCase {
  StoredValue value;
  std::string line;
};

class QueryValueLine : public testing::TestWithParam<LineCase> {};

TEST_P(QueryValueLine, IsLaidOutAsRegExeDoes) { EXPECT_EQ(valueLine(GetParam().value), GetParam().line); }

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryValueLine,
    testing::Values(
        LineCase{{"dwUpdateFailureTime", REG_DWORD, dwordBytes(21600000)},
                 "    dwUpdateFailureTime    REG_DWORD    0x1499700\n"},
        LineCase{{"zero", REG_DWORD, dwordBytes(0)}, "    zero    REG_DWORD    0x0\n"},
        LineCase{{"short", REG_DWORD, {1, 2, 3}}, "    short    REG_DWORD    010203\n"},
        LineCase{{"", REG_SZ, bytesOf(std::string("abc", 4))}, "    (Default)    REG_SZ    abc\n"},
        LineCase{{"cut", REG_SZ, bytesOf(std::string("ab\0cd", 5))}, "    cut    REG_SZ    ab\n"},
        LineCase{{"unterminated", REG_SZ, bytesOf("ab")}, "    unterminated    REG_SZ    ab\n"},
        LineCase{{"p", REG_EXPAND_SZ, bytesOf(std::string("%A%", 4))}, "    p    REG_EXPAND_SZ    %A%\n"},
        LineCase{{"b", REG_BINARY, {0x0A, 0xFF, 0x00}}, "    b    REG_BINARY    0AFF00\n"},
        LineCase{{"m", REG_MULTI_SZ, bytesOf(std::string("a\0b\0\0", 5))}, "    m    REG_MULTI_SZ    a\\0b\n"},
        LineCase{{"\xE4", REG_SZ, bytesOf(std::string("\xFC\x80", 3))}, "    ä    REG_SZ    ü€\n"},
        LineCase{{"odd", 0x20, {0xAB}}, "    odd    0x20    AB\n"},
        LineCase{{"q", REG_QWORD, {8, 7, 6, 5, 4, 3, 2, 1}}, "    q    REG_QWORD    0x102030405060708\n"},
        LineCase{{"q0", REG_QWORD, {0, 0, 0, 0, 0, 0, 0, 0}}, "    q0    REG_QWORD    0x0\n"},
        LineCase{{"short", REG_QWORD, {1, 2, 3, 4}}, "    short    REG_QWORD    01020304\n"}));

TEST(QueryListing, ShowsTheKeyItsValuesAndItsSubkeysByFullName) {
  EXPECT_EQ(keyBlock("Software\\Qorvi", {{"n", REG_DWORD, dwordBytes(1)}}) +
                subkeyList("Software\\Qorvi", {"Agent", "Quarantine"}),
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\n"
            "    n    REG_DWORD    0x1\n"
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\n"
            "HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Quarantine\n");
  EXPECT_EQ(keyBlock("", {}) + subkeyList("", {"Software"}), "\nHKEY_LOCAL_MACHINE\n\nHKEY_LOCAL_MACHINE\\Software\n");
  EXPECT_EQ(subkeyList("A", {}), "");
}

}  // namespace
}  // namespace marovel::reg_tool
