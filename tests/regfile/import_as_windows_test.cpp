// Small .reg files as Windows's importer takes them: whole, into exactly the values listed, or
// skipping one line and importing the rest. The same table runs through the platform's importer:
// Wine's regedit under Wine proves what Windows does; marovel-reg on the stand-in must import the
// whole files alike and refuse the others with the skipped line's number, changing nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reg_file_error.h"
#include "reg_file_importer.h"
#include "reg_file_reader.h"
#include "stored_values.h"
#include "test_folder.h"
#include "utf16le_bytes.h"

namespace marovel {
namespace {

using testing::StoredValue;

const std::string Key = "Software\\MarovelGrammar";
// Lines 1 to 3 of most files; their own lines start at line 4.
const std::string Head = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n";

struct Value {
  std::string subkey;  // below Key, "" for Key itself
  std::string name;
  DWORD type;
  std::string bytes;
};

Value text(std::string name, std::string_view value) {
  return {"", std::move(name), REG_SZ, std::string(value) + '\0'};
}
Value dword(std::string name, std::string bytes) { return {"", std::move(name), REG_DWORD, std::move(bytes)}; }
Value binary(std::string name, std::string bytes) { return {"", std::move(name), REG_BINARY, std::move(bytes)}; }

struct ImportCase {
  std::string name;
  std::string file;
  std::vector<Value> imported;    // all values, or those Windows imports besides the skipped line
  std::size_t skippedLine = 0;    // the line Windows skips; 0 when it imports every line
  std::string skippedValue = {};  // a value of Key that Windows leaves out with that line
};

const ImportCase Cases[] = {
    // Whole files: Windows imports every line.
    {"CommentLines", Head + "; a\n# b\n  ;c\n\t#d\n;e\\\n\"a\"=\"x\"\n", {text("a", "x")}},
    {"CommentsAfterData",
     Head + "\"a\"=dword:1234 ;5678\n\"b\"=\"x\";c\n\"c\"=hex:01\t;c\n\"d\"=- ;c\n",
     {dword("a", std::string("\x34\x12\0\0", 4)), text("b", "x"), binary("c", "\x01")}},
    {"BlanksInData",
     Head + "\"a\"=dword:  00000008\n\"b\"=dword:\t8\t\n\"c\"=hex: 01, 02,\t03\n\t@ = \"d\"\n",
     {dword("a", std::string("\x08\0\0\0", 4)), dword("b", std::string("\x08\0\0\0", 4)), binary("c", "\x01\x02\x03"),
      text("", "d")}},
    {"TrailingCommaInHexLists",
     Head + "\"e\"=hex(2):25,50,41,54,48,25,00,\n\"b\"=hex:11,22,\n",
     {{"", "e", REG_EXPAND_SZ, std::string("%PATH%\0", 7)}, binary("b", "\x11\x22")}},
    {"OneDigitBytes", Head + "\"b\"=hex:1,a2,3\n", {binary("b", "\x01\xA2\x03")}},
    {"TextTypesGainTheirNul",
     Head + "\"m\"=hex(7):4c,69,6e,65\n\"x\"=hex(2):25,50,41\n\"s\"=hex(1):\n",
     {{"", "m", REG_MULTI_SZ, std::string("Line\0", 5)},
      {"", "x", REG_EXPAND_SZ, std::string("%PA\0", 4)},
      {"", "s", REG_SZ, ""}}},
    {"ContinuedHexList",
     Head + "\"m\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,\\ ;c\n\n  ;c\n\t63,61,74,  \\\n  65,6e,61,74,69,6f,6e,00,00\n",
     {{"", "m", REG_MULTI_SZ, std::string("Line concatenation\0\0", 20)}}},
    {"ContinuationOpensTheList",
     Head + "\"e\"=hex(2):\\\n  25,48,4f,4d,45,25,00\n",
     {{"", "e", REG_EXPAND_SZ, std::string("%HOME%\0", 7)}}},
    {"ContinuationAtTheEndOfTheFile", Head + "\"b\"=hex:11,22,\\", {binary("b", "\x11\x22")}},
    {"CarriageReturnsAloneEndLines",
     "REGEDIT4\r\r[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\r\"a\"=\"x\"\r\n\"b\"=\"y\"",
     {text("a", "x"), text("b", "y")}},
    {"HeaderAfterBlanks",
     " \tREGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n",
     {text("a", "x")}},
    {"SectionSpellings",
     "REGEDIT4\n[hkey_local_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"1\"\n"
     "  [HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar\\Sub ]\n\"b\"=\"2\"\n"
     "[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar\\Deep\\] ;c\n\"c\"=\"3\"\n",
     {text("a", "1"), {"Sub ", "b", REG_SZ, std::string("2", 2)}, {"Deep", "c", REG_SZ, std::string("3", 2)}}},
    {"Escapes", Head + "\"q\\\"uote\\\\\"=\"C:\\\\Pfad \\\"x\\\"\"\n", {text("q\"uote\\", "C:\\Pfad \"x\"")}},
    {"RegeditHeaderAboveNothing", "REGEDIT5\n\n; nothing to import\n", {}},
    {"Version5WithCarriageReturnsAndAContinuation",
     testing::utf16leBytes(u"\uFEFFWindows Registry Editor Version 5.00\r\r"
                           u"[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\r"
                           u"\"e\"=hex(2):25,00,50,00,\\\r  41,00\r\"a\"=\"\u00E4\" ;c\r"),
     {{"", "e", REG_EXPAND_SZ, std::string("%PA\0", 4)}, text("a", "\xE4")}},
    // Files Windows imports only in part: one line is skipped.
    {"HashAfterData", Head + "\"a\"=dword:1234 #5678\n\"b\"=\"kept\"\n", {text("b", "kept")}, 4, "a"},
    {"HashAfterText", Head + "\"b\"=\"kept\"\n\"a\"=\"x\" #c\n", {text("b", "kept")}, 5, "a"},
    {"BlankBeforeAComma", Head + "\"a\"=hex:01 ,02\n", {}, 4, "a"},
    {"ByteOfThreeDigits", Head + "\"a\"=hex:100\n", {}, 4, "a"},
    {"UpperCaseType", Head + "\"a\"=DWORD:00000001\n\"b\"=hex:01\n", {binary("b", "\x01")}, 4, "a"},
    {"ContinuedDword", Head + "\"a\"=dword:1234\\\n5678\n", {}, 4, "a"},
    {"ContinuationWithoutAComma",
     Head + "\"a\"=hex(2):4c,69\\\n  6e,00\n\"b\"=\"kept\"\n",
     {text("b", "kept")},
     4,
     "a"},
    {"HashLineInAContinuation", Head + "\"a\"=hex:01,\\\n#c\n\"b\"=\"kept\"\n", {text("b", "kept")}, 5, "a"},
    {"ValueLineInAContinuation",
     Head + "\"a\"=hex:01,\\\n\"c\"=\"lost\"\n\"b\"=\"kept\"\n",
     {text("b", "kept")},
     5,
     "a"},
    {"EscapedNul", Head + "\"a\"=\"x\\0\"\n", {}, 4, "a"},
    {"NameWithoutQuotes", Head + "a=\"x\"\n", {}, 4, "a"},
    {"BlankAfterTheBracket", "REGEDIT4\n[ HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n", {}, 2, "a"},
    {"NoClosingBracket", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar\n\"a\"=\"x\"\n", {}, 2, "a"},
    {"HeaderWithATrailingBlank",
     "REGEDIT4 \n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n",
     {},
     1,
     "a"},
    {"HeaderInLowerCase", "regedit4\n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n", {}, 1, "a"},
};

class ImportAsWindows : public ::testing::TestWithParam<ImportCase> {
 protected:
  void SetUp() override { importer_.removeKey(Key); }
  void TearDown() override { importer_.removeKey(Key); }

  int import() {
    folder_.put("case.reg", GetParam().file);
    return importer_.importFile(folder_.path("case.reg").string());
  }

  static std::optional<StoredValue> stored(const Value& value) {
    return testing::storedValue(value.subkey.empty() ? Key : Key + "\\" + value.subkey, value.name);
  }

  static void expectImported() {
    for (const Value& value : GetParam().imported) {
      EXPECT_EQ(stored(value), (StoredValue{value.type, value.bytes})) << value.subkey << " " << value.name;
    }
  }

  testing::TestFolder folder_;
  testing::RegFileImporter importer_;
};

TEST_P(ImportAsWindows, TheReaderTakesTheWholeFileOrNamesTheSkippedLine) {
  const ImportCase& imported = GetParam();
  if (imported.skippedLine == 0) {
    EXPECT_NO_THROW(regfile::readRegFile(imported.file, "case.reg"));
    return;
  }
  try {
    regfile::readRegFile(imported.file, "case.reg");
    ADD_FAILURE() << "read whole";
  } catch (const regfile::RegFileError& error) {
    EXPECT_TRUE(std::string(error.what()).starts_with("case.reg:" + std::to_string(imported.skippedLine) + ": "))
        << error.what();
  }
}

#ifdef _WIN32
// Wine's regedit stands for Windows: the listed values, and the skipped line's value left out.
TEST_P(ImportAsWindows, WindowsImportsTheListedValues) {
  const int exitCode = import();
  expectImported();
  if (GetParam().skippedLine == 0) {
    EXPECT_EQ(exitCode, 0);
  } else {
    EXPECT_EQ(testing::storedValue(Key, GetParam().skippedValue), std::nullopt);
  }
}
#else
TEST_P(ImportAsWindows, MarovelRegImportsWholeFilesAlikeAndChangesNothingForTheOthers) {
  testing::putText(Key, "Before", "kept");
  if (GetParam().skippedLine == 0) {
    ASSERT_EQ(import(), 0);
    expectImported();
    return;
  }
  EXPECT_EQ(import(), 1);
  EXPECT_EQ(testing::storedValue(Key, "Before"), (StoredValue{REG_SZ, std::string("kept", 5)}));
  for (const Value& value : GetParam().imported) EXPECT_EQ(stored(value), std::nullopt) << value.name;
}
#endif

INSTANTIATE_TEST_SUITE_P(Files, ImportAsWindows, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace marovel
