// A Version 5.00 file laid out as Windows's regedit exports it (files/version5-utf16.reg, UTF-16LE),
// and one as the writer writes it, import to the same values through the platform's own importer:
// marovel-reg on the stand-in, Wine's regedit on Windows. Both are read back through
// RegQueryValueExA and compared with one table of expected ANSI bytes; values that only the
// import writes make a silent non-import fail.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "reg_file_importer.h"
#include "reg_file_writer.h"
#include "stored_values.h"
#include "test_folder.h"
#include "win32_registry.h"

namespace marovel {
namespace {

const std::string Key = "Software\\MarovelRegCompat";

struct ExpectedValue {
  std::string key;
  std::string name;
  DWORD type;
  std::string bytes;
};

const ExpectedValue Expected[] = {
    {Key, "", REG_SZ, std::string("Standard", 9)},
    {Key, "Text", REG_SZ, std::string("Gr\xFC\xDF" "e \x80 \"zitiert\" C:\\Pfad", 26)},
    {Key, "Path", REG_EXPAND_SZ, std::string("%ProgramFiles%\\Qorvi\\\xC4", 23)},
    {Key, "Servers", REG_MULTI_SZ, std::string("relay1\0r\xE9lais\0", 15)},
    {Key, "Interval", REG_DWORD, std::string("\x00\x5C\x26\x05", 4)},
    {Key, "Stamp", REG_QWORD, std::string("\x00\x80\x3E\xD5\xDE\xB1\x9D\x01", 8)},
    {Key, "Blob", REG_BINARY, std::string("\x00\xFF\x10", 3)},
    {Key + "\\\xDC" "berwachung", "Aktiv", REG_DWORD, std::string("\x01\x00\x00\x00", 4)},
};

// The table's values as sections of a file.
regfile::RegFile tableSections() {
  regfile::RegFile file;
  for (const ExpectedValue& value : Expected) {
    if (file.empty() || file.back().keyPath != value.key) file.push_back({value.key, false, {}});
    const regfile::ValueBytes bytes(value.bytes.begin(), value.bytes.end());
    file.back().entries.push_back({value.name, regfile::RegData{value.type, bytes}});
  }
  return file;
}

class Version5RegFile : public ::testing::Test {
 protected:
  void SetUp() override { registry_.removeKey(Key); }
  void TearDown() override { registry_.removeKey(Key); }

  void expectTheTable() const {
    for (const ExpectedValue& expected : Expected) {
      EXPECT_EQ(testing::storedValue(expected.key, expected.name),
                (testing::StoredValue{expected.type, expected.bytes}))
          << expected.key << " " << expected.name;
    }
  }

  testing::RegFileImporter registry_;
};

TEST_F(Version5RegFile, AsRegeditExportsItImportsToTheTable) {
  // What the file deletes: a value, and a key with a subtree.
  testing::putText(Key, "Stale", "old");
  testing::putText(Key + "\\Old\\Deep", "x", "old");

  EXPECT_EQ(registry_.importFile(VERSION5_REG_FILE), 0);

  expectTheTable();
  EXPECT_EQ(testing::storedValue(Key, "Stale"), std::nullopt);
  EXPECT_FALSE(testing::keyExists(Key + "\\Old"));
  EXPECT_TRUE(testing::keyExists(Key));
}

TEST_F(Version5RegFile, AsTheWriterWritesItImportsToTheTable) {
  const testing::TestFolder folder;
  folder.put("written.reg", regfile::writeUnicodeRegFile(tableSections()));

  EXPECT_EQ(registry_.importFile(folder.path("written.reg").string()), 0);

  expectTheTable();
}

}  // namespace
}  // namespace marovel
