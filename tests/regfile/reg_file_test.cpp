// The REGEDIT4 reader and writer: what each line gives, each fault named, every value written back exactly.
#include <gtest/gtest.h>

#include "reg_file_reader.h"
#include "reg_file_writer.h"
#include "reg_file_error.h"
#include "win32_registry.h"

namespace marovel::regfile {
namespace {

ValueBytes bytesOf(std::string_view text) { return {text.begin(), text.end()}; }
RegData text(std::string_view value) { return {REG_SZ, bytesOf(std::string(value) + '\0')}; }
RegData dword(std::uint32_t value) { return {REG_DWORD, dwordBytes(value)}; }

struct ReadCase {
  std::string name;
  std::string text;
  RegFile expected;
};

class RegFileReads : public testing::TestWithParam<ReadCase> {};

TEST_P(RegFileReads, IntoSections) { EXPECT_EQ(readRegFile(GetParam().text, "demo.reg"), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileReads,
    testing::Values(
        ReadCase{"HeaderOnly", "REGEDIT4\r\n", {}},
        ReadCase{"CommentsBlankLinesAndLfEnds",
                 "REGEDIT4\n\n; a comment\n  \n[HKEY_LOCAL_MACHINE\\Software\\Qorvi]\n\n\"a\"=\"b\"\n",
                 {{"Software\\Qorvi", false, {{"a", text("b")}}}}},
        ReadCase{"EscapesInNameAndText",
                 "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"q\\\"\\\\n\"=\"C:\\\\dir \\\"x\\\"\"\r\n",
                 {{"A", false, {{"q\"\\n", text("C:\\dir \"x\"")}}}}},
        ReadCase{"DwordsOfOneToEightDigits",
                 "REGEDIT4\n[HKLM\\A]\n\"d1\"=dword:1\n\"d8\"=dword:FFFFFFFF\n\"mixed\"=DWORD:00aBcDeF\n",
                 {{"A", false, {{"d1", dword(1)}, {"d8", dword(0xFFFFFFFF)}, {"mixed", dword(0x00ABCDEF)}}}}},
        ReadCase{"DefaultValueAndDeletions",
                 "REGEDIT4\n[hkey_local_machine\\A]\n@=\"def\"\n\"gone\"=-\n@=-\n[-HKEY_LOCAL_MACHINE\\A\\B]\n",
                 {{"A", false, {{"", text("def")}, {"gone", std::nullopt}, {"", std::nullopt}}}, {"A\\B", true, {}}}},
        ReadCase{"HexFormsWithContinuation",
                 "REGEDIT4\n[HKLM\\A]\n\"b\"=hex:0a,FF\n\"e\"=hex(2):25,00,\\\n  41,\\\n  00\n\"none\"=hex:\n"
                 "\"q\"=hex(b):01,02,03,04,05,06,07,08\n",
                 {{"A",
                   false,
                   {{"b", RegData{REG_BINARY, {0x0A, 0xFF}}},
                    {"e", RegData{REG_EXPAND_SZ, {0x25, 0x00, 0x41, 0x00}}},
                    {"none", RegData{REG_BINARY, {}}},
                    {"q", RegData{11, {1, 2, 3, 4, 5, 6, 7, 8}}}}}}},
        ReadCase{"BlanksAroundTheEqualsSign", "REGEDIT4\n[HKLM\\A]\n  \"a\" = \"b\"  \n",
                 {{"A", false, {{"a", text("b")}}}}},
        ReadCase{"Windows1252BytesKept", "REGEDIT4\n[HKLM\\\xC4]\n\"\xE4\"=\"\xFC\x80\"\n",
                 {{"\xC4", false, {{"\xE4", text("\xFC\x80")}}}}},
        ReadCase{"TrailingBackslashOfTheKey", "REGEDIT4\n[HKLM\\A\\]\n", {{"A", false, {}}}},
        ReadCase{"TheRootAlone", "REGEDIT4\n[HKEY_LOCAL_MACHINE]\n", {{"", false, {}}}}),
    [](const auto& info) { return info.param.name; });

struct FaultCase {
  std::string text;
  std::string message;  // the start of it
};

class RegFileFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(RegFileFaults, NameTheFileTheLineAndWhy) {
  try {
    readRegFile(GetParam().text, "demo.reg");
    FAIL() << "accepted";
  } catch (const RegFileError& error) {
    EXPECT_TRUE(std::string(error.what()).starts_with(GetParam().message)) << error.what();
  }
}

constexpr const char* Head = "REGEDIT4\n[HKLM\\A]\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileFaults,
    testing::Values(
        FaultCase{"", "demo.reg:1: not a REGEDIT4 file"},
        FaultCase{"Windows Registry Editor Version 5.00\r\n", "demo.reg:1: not a REGEDIT4 file"},
        FaultCase{"REGEDIT4\n\n\"a\"=\"b\"\n", "demo.reg:3: value line before the first section: \"a\"=\"b\""},
        FaultCase{std::string(Head) + "\"a\"=dword:123456789\n",
                  "demo.reg:3: malformed value line (dword: needs 1 to 8 hex digits): \"a\"=dword:123456789"},
        FaultCase{std::string(Head) + "\"a\"=dword:\n", "demo.reg:3: malformed value line (dword:"},
        FaultCase{std::string(Head) + "\"a\"=\"b\n", "demo.reg:3: malformed value line (missing closing quote)"},
        FaultCase{std::string(Head) + "\"a\"=\"b\" x\n", "demo.reg:3: malformed value line (text after"},
        FaultCase{std::string(Head) + "\"a\\n\"=\"b\"\n", "demo.reg:3: malformed value line (only"},
        FaultCase{std::string(Head) + "\"a\"\n", "demo.reg:3: malformed value line (missing ="},
        FaultCase{std::string(Head) + "\"a\"=hex:1,2\n", "demo.reg:3: malformed value line (hex data must be"},
        FaultCase{std::string(Head) + "\"a\"=hex:01,\n", "demo.reg:3: malformed value line (hex data must be"},
        FaultCase{std::string(Head) + "\"a\"=hex(:00\n", "demo.reg:3: malformed value line (hex( needs"},
        FaultCase{std::string(Head) + "\"a\"=hex 00\n", "demo.reg:3: malformed value line (hex data must follow"},
        FaultCase{std::string(Head) + "\"a\"=foo\n", "demo.reg:3: malformed value line (data must be"},
        FaultCase{std::string(Head) + "\"a\"=hex:01,\\\n  02\n\"b\"=x\n", "demo.reg:5: malformed value line"},
        FaultCase{"REGEDIT4\n[HKEY_CURRENT_USER\\\xC4]\n",
                  "demo.reg:2: only keys under HKEY_LOCAL_MACHINE (HKLM) are supported: [HKEY_CURRENT_USER\\Ä]"},
        FaultCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", "demo.reg:2: malformed section header"},
        FaultCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", "demo.reg:2: invalid key name"},
        FaultCase{"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n", "demo.reg:2: HKEY_LOCAL_MACHINE itself cannot be changed"},
        FaultCase{"REGEDIT4\n[HKLM]\n@=\"x\"\n", "demo.reg:3: HKEY_LOCAL_MACHINE itself cannot be changed"},
        FaultCase{"REGEDIT4\n[-HKLM\\A]\n\"a\"=\"b\"\n", "demo.reg:3: value line in a section that deletes its key"},
        FaultCase{std::string(Head) + "garbage\n", "demo.reg:3: neither a section, a value nor a comment"},
        FaultCase{"REGEDIT4\n[HKLM\\A]\rB]\n", "demo.reg:2: a carriage return inside a name"},
        FaultCase{std::string(Head) + "\"a\rb\"=\"x\"\n", "demo.reg:3: malformed value line (a carriage return"}));

TEST(RegFileWriter, LaysOutRegedit4WithCrLfAndAnEmptyLineBetweenSections) {
  const RegFile file = {
      {"Software\\Qorvi\\Agent",
       false,
       {{"", text("def")}, {"szEmailAddress", text("a\"b\\c")}, {"dwUpdateSuccessTime", dword(86400000)}}},
      {"Software\\Qorvi\\Agent\\Sub",
       false,
       {{"bin", RegData{REG_BINARY, {0x0A, 0xFF}}}, {"exp", RegData{REG_EXPAND_SZ, bytesOf(std::string("%A%", 4))}},
        {"gone", std::nullopt}}},
      {"Software\\Old", true, {}},
  };
  EXPECT_EQ(writeRegFile(file),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent]\r\n"
            "@=\"def\"\r\n"
            "\"szEmailAddress\"=\"a\\\"b\\\\c\"\r\n"
            "\"dwUpdateSuccessTime\"=dword:05265c00\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\Sub]\r\n"
            "\"bin\"=hex:0a,ff\r\n"
            "\"exp\"=hex(2):25,41,25,00\r\n"
            "\"gone\"=-\r\n"
            "\r\n"
            "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n");
}

// Data a quoted string or dword: would not give back byte for byte goes out as hex(…).
struct ExactDataCase {
  std::string name;
  RegData data;
  std::string line;
};

class RegFileWriterKeepsBytes : public testing::TestWithParam<ExactDataCase> {};

TEST_P(RegFileWriterKeepsBytes, AndReadingGivesThemBack) {
  const RegFile file = {{"A", false, {{"v", GetParam().data}}}};
  const std::string written = writeRegFile(file);
  EXPECT_NE(written.find("\r\n\"v\"=" + GetParam().line + "\r\n"), std::string::npos) << written;
  EXPECT_EQ(readRegFile(written, "x.reg"), file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileWriterKeepsBytes,
    testing::Values(ExactDataCase{"PlainText", text("x"), "\"x\""},
                    ExactDataCase{"EmptyText", text(""), "\"\""},
                    ExactDataCase{"TextWithoutNul", RegData{REG_SZ, bytesOf("ab")}, "hex(1):61,62"},
                    ExactDataCase{"TextOfNoBytes", RegData{REG_SZ, {}}, "hex(1):"},
                    ExactDataCase{"TextWithInnerNul", RegData{REG_SZ, {'a', 0, 'b', 0}}, "hex(1):61,00,62,00"},
                    ExactDataCase{"TextWithLineBreak", text("a\r\nb"), "hex(1):61,0d,0a,62,00"},
                    ExactDataCase{"TextWithTab", text("a\tb"), "hex(1):61,09,62,00"},
                    ExactDataCase{"TextWithByteUndefinedInWindows1252", text("\x81"), "hex(1):81,00"},
                    ExactDataCase{"SmallestDword", dword(0), "dword:00000000"},
                    ExactDataCase{"ShortDword", RegData{REG_DWORD, {1, 2, 3}}, "hex(4):01,02,03"},
                    ExactDataCase{"MultiString", RegData{REG_MULTI_SZ, {'a', 0, 0}}, "hex(7):61,00,00"},
                    ExactDataCase{"Windows1252Text", text("\xFC\x80"), "\"\xFC\x80\""},
                    ExactDataCase{"LargeTypeCode", RegData{0x12345678, {1}}, "hex(12345678):01"}),
    [](const auto& info) { return info.param.name; });

TEST(RegFileWriter, WritesUpperCaseHexWithoutBlankLinesWhenAsked) {
  const RegFile file = {{"A", false, {{"d", dword(0x05265C00)}, {"b", RegData{REG_BINARY, {0xAB}}}}},
                        {"B", false, {{"e", RegData{0xB, {0xCD}}}}}};
  EXPECT_EQ(writeRegFile(file, {.upperCaseHex = true, .blankLineBetweenSections = false}),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\A]\r\n\"d\"=dword:05265C00\r\n\"b\"=hex:AB\r\n"
            "[HKEY_LOCAL_MACHINE\\B]\r\n\"e\"=hex(B):CD\r\n");
}

TEST(RegFileWriter, RefusesNamesThatWouldBreakTheLines) {
  EXPECT_THROW(writeRegFile({{"A", false, {{"a\nb", text("x")}}}}), RegFileError);
  EXPECT_THROW(writeRegFile({{"A\rB", false, {}}}), RegFileError);
}

// Found by fuzzing: the writer wrote files that the reader refuses or reads otherwise.
TEST(RegFileWriter, RefusesWhatTheReaderWouldNotReadBackTheSame) {
  const std::vector<RegFile> unreadable = {
      {{"A\\", false, {}}},                      // a trailing backslash is dropped
      {{"A\\\\B", false, {}}},                   // an empty component
      {{"", false, {{"v", text("x")}}}},         // a value on HKEY_LOCAL_MACHINE itself
      {{"", true, {}}},                          // deleting HKEY_LOCAL_MACHINE
      {{"A", true, {{"v", text("x")}}}},         // a value in a section that deletes its key
  };
  for (const RegFile& file : unreadable) EXPECT_THROW(writeRegFile(file), RegFileError) << file[0].keyPath;
}

}  // namespace
}  // namespace marovel::regfile
