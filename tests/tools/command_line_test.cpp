#include "command_line.h"

#include <gtest/gtest.h>

#include "tool_error.h"
#include "win32_registry.h"

namespace marovel::reg_tool {
namespace {

using Args = std::vector<std::string>;

struct ParseCase {
  Args args;
  Command expected;
};

class CommandLineParses : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParses, IntoTheCommand) {
  EXPECT_EQ(parseCommandLine(GetParam().args), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParses,
    testing::Values(
        ParseCase{{}, UsageCommand{}},
        ParseCase{{"add", "/?"}, UsageCommand{}},
        ParseCase{{"/?"}, UsageCommand{}},
        ParseCase{{"query", "HKLM\\A", "/v", "x", "/?"}, UsageCommand{}},
        ParseCase{{"add", "HKLM\\A", "/v", "q", "/d", "/?"}, AddCommand{"A", "q", REG_SZ, {'/', '?', 0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "/?", "/d", "x"}, AddCommand{"A", "/?", REG_SZ, {'x', 0}, false}},
        ParseCase{{"query", "HKLM\\Software\\Qorvi"}, QueryCommand{"Software\\Qorvi", std::nullopt, false}},
        ParseCase{{"QUERY", "hkey_local_machine\\Software\\", "/V", "x", "/S"}, QueryCommand{"Software", "x", true}},
        ParseCase{{"query", "HKLM"}, QueryCommand{"", std::nullopt, false}},
        ParseCase{{"query", "HKLM\\A", "/ve"}, QueryCommand{"A", "", false}},
        ParseCase{{"add", "HKLM\\A"}, AddCommand{"A", std::nullopt, REG_SZ, {}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "n"}, AddCommand{"A", "n", REG_SZ, {0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD", "/d", "0x1499700"},
                  AddCommand{"A", "n", REG_DWORD, {0x00, 0x97, 0x49, 0x01}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "n", "/t", "reg_dword", "/d", "4294967295", "/f"},
                  AddCommand{"A", "n", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, true}},
        ParseCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD", "/d", "0"},
                  AddCommand{"A", "n", REG_DWORD, {0, 0, 0, 0}, false}},
        ParseCase{{"add", "HKLM\\Ä", "/v", "Grüße", "/d", "ß€"},
                  AddCommand{"\xC4", "Gr\xFC\xDF" "e", REG_SZ, {0xDF, 0x80, 0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_BINARY", "/d", "0aFF"},
                  AddCommand{"A", "n", REG_BINARY, {0x0A, 0xFF}, false}},
        ParseCase{{"add", "HKLM\\A", "/ve", "/t", "REG_EXPAND_SZ", "/d", "%P%"},
                  AddCommand{"A", "", REG_EXPAND_SZ, {'%', 'P', '%', 0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "n", "/d", "/x"}, AddCommand{"A", "n", REG_SZ, {'/', 'x', 0}, false}},
        ParseCase{{"delete", "HKLM\\A", "/v", "n", "/f"}, DeleteCommand{"A", "n"}},
        ParseCase{{"delete", "HKLM\\A\\B", "/F"}, DeleteCommand{"A\\B", std::nullopt}},
        ParseCase{{"import", "/tmp/x.reg"}, ImportCommand{"/tmp/x.reg"}},
        ParseCase{{"export", "HKLM\\A", "out.reg"}, ExportCommand{"A", "out.reg", false}},
        ParseCase{{"export", "HKLM\\A", "out.reg", "/y"}, ExportCommand{"A", "out.reg", true}}));

struct RefusalCase {
  Args args;
  std::string messagePart;
};

class CommandLineRefuses : public testing::TestWithParam<RefusalCase> {};

TEST_P(CommandLineRefuses, WithAMessageSayingWhy) {
  try {
    parseCommandLine(GetParam().args);
    FAIL() << "accepted";
  } catch (const ToolError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().messagePart), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineRefuses,
    testing::Values(
        RefusalCase{{"frobnicate"}, "unknown command frobnicate"},
        RefusalCase{{"query", "HKLM\\A", "/x"}, "unknown option /x for query"},
        RefusalCase{{"query", "HKLM\\A", "/f"}, "unknown option /f for query"},
        RefusalCase{{"import", "/tmp"}, "unknown option /tmp for import"},
        RefusalCase{{"query"}, "query needs KEY"},
        RefusalCase{{"export", "HKLM\\A"}, "export needs FILE"},
        RefusalCase{{"import", "a.reg", "b.reg"}, "unexpected argument b.reg"},
        RefusalCase{{"query", "HKLM\\A", "/v"}, "option /v needs a value"},
        RefusalCase{{"query", "HKLM\\A", "/v", "a", "/V", "b"}, "given twice"},
        RefusalCase{{"query", "HKLM\\A", "/v", "a", "/ve"}, "exclude each other"},
        RefusalCase{{"query", "HKCU\\A"}, "only keys under HKEY_LOCAL_MACHINE (HKLM) are supported: HKCU\\A"},
        RefusalCase{{"query", "HKLMX\\A"}, "only keys under HKEY_LOCAL_MACHINE"},
        RefusalCase{{"query", "HKLM\\A\\\\B"}, "empty component"},
        RefusalCase{{"add", "HKLM"}, "HKEY_LOCAL_MACHINE itself cannot be changed"},
        RefusalCase{{"delete", "HKLM\\", "/f"}, "HKEY_LOCAL_MACHINE itself cannot be changed"},
        RefusalCase{{"delete", "HKLM\\A"}, "delete needs /f"},
        RefusalCase{{"add", "HKLM\\A", "/d", "x"}, "/t and /d need /v NAME or /ve"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_MULTI_SZ", "/d", "x"}, "unsupported type REG_MULTI_SZ"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD"}, "REG_DWORD data must be"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"}, "REG_DWORD data must be"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD", "/d", "0x100000000"}, "REG_DWORD data must be"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD", "/d", "-1"}, "REG_DWORD data must be"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_DWORD", "/d", "0x"}, "REG_DWORD data must be"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_BINARY", "/d", "ABC"}, "pairs of hex digits"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_BINARY", "/d", "0G"}, "pairs of hex digits"},
        RefusalCase{{"add", "HKLM\\A", "/v", "Ω"}, "outside Windows-1252"},
        RefusalCase{{"query", "HKLM\\Ω"}, "outside Windows-1252"}));

}  // namespace
}  // namespace marovel::reg_tool
