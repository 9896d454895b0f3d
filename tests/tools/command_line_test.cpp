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
        ParseCase{{"import", "/?"}, UsageCommand{"import"}},
        ParseCase{{"IMPORT", "/h"}, UsageCommand{"import"}},
        ParseCase{{"import", "-H"}, UsageCommand{"import"}},
        ParseCase{{"import", "-?"}, UsageCommand{"import"}},
        ParseCase{{"import", "/?", "x.reg"}, UsageCommand{}},
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
        ParseCase{{"export", "HKLM\\A", "out.reg", "/y"}, ExportCommand{"A", "out.reg", true}},
        ParseCase{{"export", "HKLM\\A", "out.reg", "/UNICODE"}, ExportCommand{"A", "out.reg", false, true}},
        ParseCase{{"add", "HKLM\\A", "/v", "m", "/t", "REG_MULTI_SZ", "/d", "a\\0\xC3\x84"},
                  AddCommand{"A", "m", REG_MULTI_SZ, {'a', 0, 0xC4, 0, 0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "m", "/t", "REG_MULTI_SZ", "/d", "a\\b\\0c\\0"},
                  AddCommand{"A", "m", REG_MULTI_SZ, {'a', '\\', 'b', 0, 'c', 0, 0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "m", "/t", "reg_multi_sz"}, AddCommand{"A", "m", REG_MULTI_SZ, {0}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "q", "/t", "REG_QWORD", "/d", "0x0102030405060708"},
                  AddCommand{"A", "q", REG_QWORD, {8, 7, 6, 5, 4, 3, 2, 1}, false}},
        ParseCase{{"add", "HKLM\\A", "/v", "q", "/t", "REG_QWORD", "/d", "18446744073709551615"},
                  AddCommand{"A", "q", REG_QWORD, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, false}},
        // reg.exe's view options, taken by every command and changing nothing.
        ParseCase{{"import", "x.reg", "/reg:32"}, ImportCommand{"x.reg"}},
        ParseCase{{"import", "/REG:64", "x.reg"}, ImportCommand{"x.reg"}},
        ParseCase{{"query", "HKLM\\A", "/reg:64", "/s"}, QueryCommand{"A", std::nullopt, true}},
        ParseCase{{"add", "HKLM\\A", "/reg:32"}, AddCommand{"A", std::nullopt, REG_SZ, {}, false}},
        ParseCase{{"delete", "HKLM\\A", "/f", "/reg:32"}, DeleteCommand{"A", std::nullopt}},
        ParseCase{{"export", "HKLM\\A", "out.reg", "/reg:64"}, ExportCommand{"A", "out.reg", false}}));

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
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_LINK", "/d", "x"}, "unsupported type REG_LINK"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b"}, "cannot hold an empty string"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_MULTI_SZ", "/d", "\\0a"}, "cannot hold an empty string"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0"}, "cannot hold an empty string"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_QWORD", "/d", "18446744073709551616"},
                    "REG_QWORD data must be a number from 0 to 18446744073709551615"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_QWORD", "/d", "0x10000000000000000"}, "REG_QWORD data must be"},
        RefusalCase{{"add", "HKLM\\A", "/v", "n", "/t", "REG_QWORD", "/d", "-1"}, "REG_QWORD data must be"},
        RefusalCase{{"import", "x.reg", "/reg:32", "/reg:64"}, "/reg:32 and /reg:64 exclude each other"},
        RefusalCase{{"import", "x.reg", "/reg:16"}, "unknown option /reg:16 for import"},
        RefusalCase{{"import", "x.reg", "/unicode"}, "unknown option /unicode for import"},
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
