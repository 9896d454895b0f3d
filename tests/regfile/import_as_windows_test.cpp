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
using namespace std::string_literals;

const std::string Key = "Software\\MarovelGrammar";
// Lines 1 to 3 of most files; their own lines start at line 4.
const std::string Head = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n";

struct Value {
  std::string name;
  DWORD type;
  std::string bytes;
  std::string subkey = "";  // below Key
};

struct ImportCase {
  std::string name;
  std::string file;
  std::vector<Value> imported;  // all values, or those Windows imports besides the skipped line
  std::size_t skippedLine = 0;  // the line Windows skips, and with it the value "a"; 0 for none
};

const ImportCase Cases[] = {
    // Whole files: Windows imports every line.
    {"Comments",
     Head + "; a\n# b\n\t#c\n;d\\\n\"a\"=dword:1234 ;5678\n\"b\"=\"x\";c\n\"c\"=hex:01\t;c\n\"d\"=- ;c\n",
     {{"a", REG_DWORD, "\x34\x12\0\0"s}, {"b", REG_SZ, "x\0"s}, {"c", REG_BINARY, "\x01"s}}},
    {"BlanksAndCommas",
     Head + "\"a\"=dword:  8\n\"b\"=dword:\t8\t\n\"c\"=hex: 1, a2,\t03,\n\t@ = \"d\"\n",
     {{"a", REG_DWORD, "\x08\0\0\0"s},
      {"b", REG_DWORD, "\x08\0\0\0"s},
      {"c", REG_BINARY, "\x01\xA2\x03"s},
      {"", REG_SZ, "d\0"s}}},
    {"TextTypesGainTheirNul",
     Head + "\"m\"=hex(7):4c,69,6e,65\n\"x\"=hex(2):25,50,41,\n\"s\"=hex(1):\n",
     {{"m", REG_MULTI_SZ, "Line\0"s}, {"x", REG_EXPAND_SZ, "%PA\0"s}, {"s", REG_SZ, ""}}},
    {"ContinuedHexLists",
     Head + "\"m\"=hex(7):4c,69,6e,\\\n  65,00,\\ ;c\n\n  ;c\n\t00,  \\\n  00\n\"e\"=hex(2):\\\n  25,00\n",
     {{"m", REG_MULTI_SZ, "Line\0\0\0"s}, {"e", REG_EXPAND_SZ, "%\0"s}}},
    {"ContinuationAtTheEndOfTheFile", Head + "\"b\"=hex:11,22,\\", {{"b", REG_BINARY, "\x11\x22"s}}},
    {"CarriageReturnsAndBlanksBeforeTheHeader",
     " \tREGEDIT4\r\r[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\r\"a\"=\"x\"\r\n\"b\"=\"y\"",
     {{"a", REG_SZ, "x\0"s}, {"b", REG_SZ, "y\0"s}}},
    {"SectionSpellings",
     "REGEDIT4\n[hkey_local_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"1\"\n"
     "  [HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar\\Sub ]\n\"b\"=\"2\"\n"
     "[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar\\Deep\\] ;c\n\"c\"=\"3\"\n",
     {{"a", REG_SZ, "1\0"s}, {"b", REG_SZ, "2\0"s, "Sub "}, {"c", REG_SZ, "3\0"s, "Deep"}}},
    {"RegeditHeaderAboveNothing", "REGEDIT5\n\n; nothing to import\n", {}},
    {"Version5WithCarriageReturnsAndAContinuation",
     testing::utf16leBytes(u"\uFEFFWindows Registry Editor Version 5.00\r\r"
                           u"[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\r"
                           u"\"e\"=hex(2):25,00,50,00,\\\r  41,00\r\"a\"=\"\u00E4\" ;c\r"),
     {{"e", REG_EXPAND_SZ, "%PA\0"s}, {"a", REG_SZ, "\xE4\0"s}}},
    // Files Windows imports only in part.
    {"HashAfterData", Head + "\"a\"=dword:1234 #5678\n\"b\"=\"kept\"\n", {{"b", REG_SZ, "kept\0"s}}, 4},
    {"BlankBeforeAComma", Head + "\"a\"=hex:01 ,02\n", {}, 4},
    {"UpperCaseType", Head + "\"a\"=DWORD:00000001\n\"b\"=hex:01\n", {{"b", REG_BINARY, "\x01"s}}, 4},
    {"ContinuedDword", Head + "\"a\"=dword:1234\\\n5678\n", {}, 4},
    {"ContinuationWithoutAComma",
     Head + "\"a\"=hex(2):4c,69\\\n  6e,00\n\"b\"=\"kept\"\n",
     {{"b", REG_SZ, "kept\0"s}},
     4},
    {"HashLineInAContinuation", Head + "\"a\"=hex:01,\\\n#c\n\"b\"=\"kept\"\n", {{"b", REG_SZ, "kept\0"s}}, 5},
    {"ValueLineInAContinuation",
     Head + "\"a\"=hex:01,\\\n\"c\"=\"lost\"\n\"b\"=\"kept\"\n",
     {{"b", REG_SZ, "kept\0"s}},
     5},
    {"BlankAfterTheBracket", "REGEDIT4\n[ HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n", {}, 2},
    {"HeaderWithATrailingBlank", "REGEDIT4 \n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n", {}, 1},
    {"HeaderInLowerCase", "regedit4\n[HKEY_LOCAL_MACHINE\\Software\\MarovelGrammar]\n\"a\"=\"x\"\n", {}, 1},
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
    EXPECT_EQ(testing::storedValue(Key, "a"), std::nullopt);
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
