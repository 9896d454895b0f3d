// The .reg reader and writer: what each line gives in either form and encoding, each fault named,
// every value written back exactly.
#include <gtest/gtest.h>

#include "reg_file_reader.h"
#include "reg_file_writer.h"
#include "reg_file_error.h"
#include "utf16le_bytes.h"
#include "win32_registry.h"

namespace marovel::regfile {
namespace {

ValueBytes bytesOf(std::string_view text) { return {text.begin(), text.end()}; }
RegData text(std::string_view value) { return {REG_SZ, bytesOf(std::string(value) + '\0')}; }
RegData dword(std::uint32_t value) { return {REG_DWORD, dwordBytes(value)}; }

std::string utf16le(std::u16string_view text) { return testing::utf16leBytes(text); }

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int n = 0; n < times; ++n) all += text;
  return all;
}

struct ReadCase {
  std::string name;
  std::string text;
  RegFile expected;
};

class RegFileReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RegFileReads, IntoSections) { EXPECT_EQ(readRegFile(GetParam().text, "demo.reg"), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileReads,
    ::testing::Values(
        ReadCase{"HeaderOnly", "REGEDIT4\r\n", {}},
        ReadCase{"CommentsBlankLinesAndLfEnds",
                 "REGEDIT4\n\n; a comment\n  \n[HKEY_LOCAL_MACHINE\\Software\\Qorvi]\n\n\"a\"=\"b\"\n",
                 {{"Software\\Qorvi", false, {{"a", text("b")}}}}},
        ReadCase{"EscapesInNameAndText",
                 "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"q\\\"\\\\n\"=\"C:\\\\dir \\\"x\\\"\"\r\n",
                 {{"A", false, {{"q\"\\n", text("C:\\dir \"x\"")}}}}},
        ReadCase{"DwordsOfOneToEightDigits",
                 "REGEDIT4\n[HKLM\\A]\n\"d1\"=dword:1\n\"d8\"=dword:FFFFFFFF\n\"mixed\"=dword:00aBcDeF\n",
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
        ReadCase{"TextTypesInHexAsAnsi",
                 "REGEDIT4\n[HKLM\\A]\n\"s\"=hex(1):fc,00\n\"m\"=hex(7):61,00,80,00,00\n\"n\"=hex(0):fc\n"
                 "\"be\"=hex(5):00,00,00,2a\n",
                 {{"A",
                   false,
                   {{"s", RegData{REG_SZ, {0xFC, 0x00}}},
                    {"m", RegData{REG_MULTI_SZ, {0x61, 0x00, 0x80, 0x00, 0x00}}},
                    {"n", RegData{REG_NONE, {0xFC}}},
                    {"be", RegData{5, {0x00, 0x00, 0x00, 0x2A}}}}}}},
        ReadCase{"HexBytesOfOneDigitAndATrailingComma", "REGEDIT4\n[HKLM\\A]\n\"b\"=hex:1,02,\n",
                 {{"A", false, {{"b", RegData{REG_BINARY, {0x01, 0x02}}}}}}},
        ReadCase{"BlanksAroundTheEqualsSign", "REGEDIT4\n[HKLM\\A]\n  \"a\" = \"b\"  \n",
                 {{"A", false, {{"a", text("b")}}}}},
        ReadCase{"Windows1252BytesKept", "REGEDIT4\n[HKLM\\\xC4]\n\"\xE4\"=\"\xFC\x80\"\n",
                 {{"\xC4", false, {{"\xE4", text("\xFC\x80")}}}}},
        ReadCase{"TrailingBackslashOfTheKey", "REGEDIT4\n[HKLM\\A\\]\n", {{"A", false, {}}}},
        ReadCase{"TheRootAlone", "REGEDIT4\n[HKEY_LOCAL_MACHINE]\n", {{"", false, {}}}},
        // Version 5.00 as regedit exports it: UTF-16LE, text values in hex(…) as UTF-16LE.
        ReadCase{"Version5InUtf16AsAnsi",
                 utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                         u"[HKEY_LOCAL_MACHINE\\Software\\\u00C4nderung]\r\n"
                         u"@=\"Gr\u00FC\u00DFe \u20AC\"\r\n"
                         u"\"\u00E4\"=hex(2):25,00,41,00,25,00,fc,00,00,00\r\n"
                         u"\"list\"=hex(7):61,00,00,00,ac,20,00,00,00,00\r\n"
                         u"\"bare\"=hex(1):61,00,62,00\r\n"
                         u"\"d\"=dword:0000002a\r\n"
                         u"\"q\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                         u"\"b\"=hex:00,ff\r\n"
                         u"\"n\"=hex(0):fc,00\r\n"
                         u"\"gone\"=-\r\n"
                         u"\r\n"
                         u"[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"),
                 {{"Software\\\xC4nderung",
                   false,
                   {{"", text("Gr\xFC\xDF" "e \x80")},
                    {"\xE4", RegData{REG_EXPAND_SZ, bytesOf(std::string("%A%\xFC", 5))}},
                    {"list", RegData{REG_MULTI_SZ, bytesOf(std::string("a\0\x80\0\0", 5))}},
                    {"bare", RegData{REG_SZ, bytesOf(std::string("ab", 3))}},
                    {"d", dword(42)},
                    {"q", RegData{REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
                    {"b", RegData{REG_BINARY, {0x00, 0xFF}}},
                    {"n", RegData{REG_NONE, {0xFC, 0x00}}},
                    {"gone", std::nullopt}}},
                  {"Software\\Old", true, {}}}},
        ReadCase{"Version5InUtf16WithLfEndsAndAContinuedValue",
                 utf16le(u"\uFEFFWindows Registry Editor Version 5.00\n[HKLM\\A]\n"
                         u"\"e\"=hex(2):41,00,\\\n  42,00,00,00\n; \U0001F600 outside the basic plane\n"),
                 {{"A", false, {{"e", RegData{REG_EXPAND_SZ, bytesOf(std::string("AB", 3))}}}}}},
        ReadCase{"Version5InUtf8WithByteOrderMark",
                 "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n[HKLM\\\xC3\x84]\r\n"
                 "\"\xC3\xA4\"=\"\xE2\x82\xAC\"\r\n\"e\"=hex(2):fc,00,00,00\r\n",
                 {{"\xC4", false, {{"\xE4", text("\x80")}, {"e", RegData{REG_EXPAND_SZ, {0xFC, 0x00}}}}}}},
        ReadCase{"Version5InUtf8WithoutByteOrderMark",
                 "Windows Registry Editor Version 5.00\n[HKLM\\A]\n\"\xC3\xA4\"=\"\xC3\xBC\"\n",
                 {{"A", false, {{"\xE4", text("\xFC")}}}}},
        ReadCase{"Version5HeaderAlone", "Windows Registry Editor Version 5.00\r\n", {}},
        // The first line decides the values' form, the byte-order mark only the text's.
        ReadCase{"Regedit4InUtf16KeepsAnsiValues",
                 utf16le(u"\uFEFFREGEDIT4\r\n[HKLM\\A]\r\n\"e\"=hex(2):fc,00\r\n\"\u00FC\"=\"x\"\r\n"),
                 {{"A", false, {{"e", RegData{REG_EXPAND_SZ, {0xFC, 0x00}}}, {"\xFC", text("x")}}}}}),
    [](const auto& info) { return info.param.name; });

struct FaultCase {
  std::string text;
  std::string message;  // the start of it
};

class RegFileFaults : public ::testing::TestWithParam<FaultCase> {};

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
    ::testing::Values(
        FaultCase{"", "demo.reg:1: not a .reg file"},
        FaultCase{"Windows Registry Editor Version 4.00\r\n", "demo.reg:1: not a .reg file"},
        FaultCase{utf16le(u"\uFEFFregedit4\r\n"), "demo.reg:1: not a .reg file (the first line must be REGEDIT4 or "
                                                  "Windows Registry Editor Version 5.00): regedit4"},
        FaultCase{utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKLM\\\u03A9]\r\n"),
                  "demo.reg:3: a character outside Windows-1252: [HKLM\\\xCE\xA9]"},
        FaultCase{utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"\u03A9\"=\"x\"\r\n"),
                  "demo.reg:3: malformed value line (a character outside Windows-1252): \"\xCE\xA9\"=\"x\""},
        FaultCase{utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"a\"=\"\u4E2D\"\r\n"),
                  "demo.reg:3: malformed value line (a character outside Windows-1252)"},
        FaultCase{utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"\xD800\"=\"x\"\r\n"),
                  "demo.reg:3: malformed value line (a character outside Windows-1252)"},
        FaultCase{utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"e\"=hex(2):41,00,\\\r\n"
                          u"  a9,03,00,00\r\n"),
                  "demo.reg:4: malformed value line (a character outside Windows-1252):   a9,03,00,00"},
        FaultCase{utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"m\"=hex(7):61,00,00\r\n"),
                  "demo.reg:3: malformed value line (UTF-16LE text needs an even number of bytes)"},
        FaultCase{"Windows Registry Editor Version 5.00\n[HKLM\\A]\n\"a\"=\"M\xFCller\"\n",
                  "demo.reg:3: malformed value line (a character outside Windows-1252): \"a\"=\"M\xEF\xBF\xBDller\""},
        FaultCase{"REGEDIT4\n\n\"a\"=\"b\"\n", "demo.reg:3: value line before the first section: \"a\"=\"b\""},
        FaultCase{std::string(Head) + "\"a\"=dword:123456789\n",
                  "demo.reg:3: malformed value line (dword: needs 1 to 8 hex digits): \"a\"=dword:123456789"},
        FaultCase{std::string(Head) + "\"a\"=dword:\n", "demo.reg:3: malformed value line (dword:"},
        FaultCase{std::string(Head) + "\"a\"=\"b\n", "demo.reg:3: malformed value line (missing closing quote)"},
        FaultCase{std::string(Head) + "\"a\"=\"b\" x\n", "demo.reg:3: malformed value line (only blanks or a ; comment"},
        FaultCase{std::string(Head) + "\"a\\n\"=\"b\"\n", "demo.reg:3: malformed value line (only"},
        FaultCase{std::string(Head) + "\"a\"\n", "demo.reg:3: malformed value line (missing ="},
        FaultCase{std::string(Head) + "\"a\"=hex:1,234\n", "demo.reg:3: malformed value line (hex data must be"},
        FaultCase{std::string(Head) + "\"a\"=DWORD:1\n", "demo.reg:3: malformed value line (data must be"},
        FaultCase{std::string(Head) + "\"a\"=hex(:00\n", "demo.reg:3: malformed value line (hex( needs"},
        FaultCase{std::string(Head) + "\"a\"=hex 00\n", "demo.reg:3: malformed value line (data must be"},
        FaultCase{std::string(Head) + "\"a\"=hex(2)00\n", "demo.reg:3: malformed value line (hex data must follow"},
        FaultCase{std::string(Head) + "\"a\"=foo\n", "demo.reg:3: malformed value line (data must be"},
        FaultCase{std::string(Head) + "\"a\"=hex:01,\\\n  02\n\"b\"=x\n", "demo.reg:5: malformed value line"},
        FaultCase{"REGEDIT4\n[HKEY_CURRENT_USER\\\xC4]\n",
                  "demo.reg:2: only keys under HKEY_LOCAL_MACHINE (HKLM) are supported: [HKEY_CURRENT_USER\\Ä]"},
        FaultCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", "demo.reg:2: malformed section header"},
        FaultCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", "demo.reg:2: invalid key name"},
        FaultCase{"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n", "demo.reg:2: HKEY_LOCAL_MACHINE itself cannot be changed"},
        FaultCase{"REGEDIT4\n\n[HKLM" + repeated("\\K", 600) + "]\n", "demo.reg:3: key deeper than 512 levels"},
        FaultCase{"REGEDIT4\n[HKLM]\n@=\"x\"\n", "demo.reg:3: HKEY_LOCAL_MACHINE itself cannot be changed"},
        FaultCase{"REGEDIT4\n[-HKLM\\A]\n\"a\"=\"b\"\n", "demo.reg:3: value line in a section that deletes its key"},
        FaultCase{std::string(Head) + "garbage\n", "demo.reg:3: neither a section, a value nor a comment"},
        // A lone CR ends a line, as Windows reads it.
        FaultCase{"REGEDIT4\n[HKLM\\A]\rB]\n", "demo.reg:3: neither a section, a value nor a comment: B]"},
        FaultCase{std::string(Head) + "\"a\rb\"=\"x\"\n", "demo.reg:3: malformed value line (missing closing quote)"}));

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
  std::optional<RegData> readBack = std::nullopt;  // when not the data itself
};

class RegFileWriterKeepsBytes : public ::testing::TestWithParam<ExactDataCase> {};

TEST_P(RegFileWriterKeepsBytes, AndReadingGivesThemBack) {
  const RegFile file = {{"A", false, {{"v", GetParam().data}}}};
  const std::string written = writeRegFile(file);
  EXPECT_NE(written.find("\r\n\"v\"=" + GetParam().line + "\r\n"), std::string::npos) << written;
  const RegFile readBack = {{"A", false, {{"v", GetParam().readBack.value_or(GetParam().data)}}}};
  EXPECT_EQ(readRegFile(written, "x.reg"), readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileWriterKeepsBytes,
    ::testing::Values(ExactDataCase{"PlainText", text("x"), "\"x\""},
                    ExactDataCase{"EmptyText", text(""), "\"\""},
                    // A text without its NUL (which no A function stores) imports with one, as on Windows.
                    ExactDataCase{"TextWithoutNul", RegData{REG_SZ, bytesOf("ab")}, "hex(1):61,62", text("ab")},
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
  EXPECT_THROW(writeRegFile({{"A", false, {{std::string("a\0b", 3), text("x")}}}}), RegFileError);
  EXPECT_THROW(writeUnicodeRegFile({{"A", false, {{"a\nb", text("x")}}}}), RegFileError);
}

TEST(RegFileWriter, LaysOutVersion5InUtf16WithTextValuesInUtf16) {
  const RegFile file = {
      {"Software\\\xC4nderung",
       false,
       {{"", text("Gr\xFC\xDF" "e")},
        {"exp", RegData{REG_EXPAND_SZ, bytesOf(std::string("%A%\xFC", 5))}},
        {"list", RegData{REG_MULTI_SZ, bytesOf(std::string("a\0\x80\0\0", 5))}},
        {"d", dword(42)},
        {"q", RegData{REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}}},
        {"b", RegData{REG_BINARY, {0x00, 0xFF}}},
        {"tab", text("a\tb")},
        {"gone", std::nullopt}}},
      {"Software\\Old", true, {}},
  };
  EXPECT_EQ(writeUnicodeRegFile(file),
            utf16le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                    u"[HKEY_LOCAL_MACHINE\\Software\\\u00C4nderung]\r\n"
                    u"@=\"Gr\u00FC\u00DFe\"\r\n"
                    u"\"exp\"=hex(2):25,00,41,00,25,00,fc,00,00,00\r\n"
                    u"\"list\"=hex(7):61,00,00,00,ac,20,00,00,00,00\r\n"
                    u"\"d\"=dword:0000002a\r\n"
                    u"\"q\"=hex(b):01,02,03,04,05,06,07,80\r\n"
                    u"\"b\"=hex:00,ff\r\n"
                    u"\"tab\"=hex(1):61,00,09,00,62,00,00,00\r\n"
                    u"\"gone\"=-\r\n"
                    u"\r\n"
                    u"[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"));
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
