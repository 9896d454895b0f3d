#include "commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "file_io.h"
#include "safe_file_writer.h"
#include "standin_store.h"
#include "temporary_store.h"

namespace marovel::reg_tool {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

// One store in a fresh directory per test.
class StoreTest : public testing::Test {
 protected:
  std::string path(const std::string& name) const { return store_.directory() + "/" + name; }

  Outcome run(const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runTool(args, store_.path(), out, err);
    return {code, out.str(), err.str()};
  }

  // Runs a command that must succeed and returns its output.
  std::string ok(const Args& args) {
    Outcome outcome = run(args);
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    return outcome.out;
  }

  // Runs a command that must fail and returns its one-line message.
  std::string fails(const Args& args) {
    Outcome outcome = run(args);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(outcome.err.starts_with("marovel-reg: ") && outcome.err.ends_with("\n") &&
                outcome.err.find('\n') == outcome.err.size() - 1)
        << outcome.err;
    return outcome.err;
  }

  std::string importText(const std::string& text) {
    regfile::writeFileSafely(path("in.reg"), text);
    return ok({"import", path("in.reg")});
  }

  // Name -> type and bytes, exactly as stored.
  using Values = std::map<std::string, std::pair<std::uint32_t, ValueBytes>>;

  void store(const std::string& keyPath, const Values& values) {
    standin::Session session(store_.path(), standin::Session::Mode::Write);
    session.createKey(keyPath);
    for (const auto& [name, value] : values) session.setValue(keyPath, name, value.first, value.second);
    session.commit();
  }

  Values stored(const std::string& keyPath) {
    standin::Session session(store_.path(), standin::Session::Mode::Read);
    Values values;
    for (auto& value : session.values(keyPath)) values[value.name] = {value.type, std::move(value.data)};
    return values;
  }

  TemporaryStore store_;
};

constexpr std::string_view Done = "The operation completed successfully.\n";
const std::string NotFound = "marovel-reg: unable to find the specified registry key or value\n";

TEST_F(StoreTest, AddQueryAndDeleteWorkTogether) {
  EXPECT_EQ(ok({"add", "HKLM\\Software\\Qorvi\\Agent", "/v", "dwUpdateFailureTime", "/t", "REG_DWORD", "/d",
                "21600000"}),
            Done);
  ok({"add", "HKEY_LOCAL_MACHINE\\software\\qorvi\\agent", "/v", "szEmailAddress", "/d", "admin@example.com"});
  ok({"add", "HKLM\\Software\\Qorvi\\Agent", "/ve", "/t", "REG_EXPAND_SZ", "/d", "%TEMP%"});
  ok({"add", "HKLM\\Software\\Qorvi\\Agent\\Sub", "/v", "blob", "/t", "REG_BINARY", "/d", "00ff"});
  ok({"add", "HKLM\\Software\\Qorvi\\Empty"});

  EXPECT_EQ(ok({"query", "hklm\\SOFTWARE\\QORVI\\AGENT"}),
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\n"
            "    (Default)    REG_EXPAND_SZ    %TEMP%\n"
            "    dwUpdateFailureTime    REG_DWORD    0x1499700\n"
            "    szEmailAddress    REG_SZ    admin@example.com\n"
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\Sub\n");
  EXPECT_EQ(ok({"query", "HKLM\\Software\\Qorvi", "/s"}),
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\n"
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\n"
            "    (Default)    REG_EXPAND_SZ    %TEMP%\n"
            "    dwUpdateFailureTime    REG_DWORD    0x1499700\n"
            "    szEmailAddress    REG_SZ    admin@example.com\n"
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\Sub\n"
            "    blob    REG_BINARY    00FF\n"
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Empty\n");
  EXPECT_EQ(ok({"query", "HKLM\\Software", "/v", "BLOB", "/s"}),
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\Sub\n    blob    REG_BINARY    00FF\n");

  EXPECT_EQ(ok({"delete", "HKLM\\Software\\Qorvi\\Agent", "/v", "SZEMAILADDRESS", "/f"}), Done);
  EXPECT_EQ(fails({"query", "HKLM\\Software\\Qorvi\\Agent", "/v", "szEmailAddress"}), NotFound);
  EXPECT_EQ(fails({"delete", "HKLM\\Software\\Qorvi\\Agent", "/v", "szEmailAddress", "/f"}), NotFound);
  ok({"delete", "HKLM\\Software\\Qorvi\\Agent", "/f"});
  EXPECT_EQ(fails({"query", "HKLM\\Software\\Qorvi\\Agent\\Sub"}), NotFound);
  EXPECT_EQ(fails({"delete", "HKLM\\Software\\Qorvi\\Agent", "/f"}), NotFound);
  EXPECT_EQ(ok({"query", "HKLM\\Software\\Qorvi"}),
            "\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\n\nHKEY_LOCAL_MACHINE\\Software\\Qorvi\\Empty\n");
}

TEST_F(StoreTest, AddOverwritesAValueOnlyWithF) {
  ok({"add", "HKLM\\A", "/v", "\xC3\x84rger", "/d", "first"});  // "Ärger"
  EXPECT_NE(fails({"add", "HKLM\\A", "/v", "\xC3\xA4RGER", "/d", "second"}).find("/f overwrites it"),
            std::string::npos);
  EXPECT_EQ(ok({"query", "HKLM\\A"}), "\nHKEY_LOCAL_MACHINE\\A\n    \xC3\x84rger    REG_SZ    first\n");
  ok({"add", "HKLM\\A", "/v", "\xC3\xA4RGER", "/d", "second", "/f"});
  EXPECT_EQ(ok({"query", "HKLM\\A"}), "\nHKEY_LOCAL_MACHINE\\A\n    \xC3\x84rger    REG_SZ    second\n");
}

TEST_F(StoreTest, AddsAQuestionMarkGivenAsData) {
  EXPECT_EQ(ok({"add", "HKLM\\A", "/v", "q", "/d", "/?"}), Done);
  EXPECT_EQ(ok({"query", "HKLM\\A"}), "\nHKEY_LOCAL_MACHINE\\A\n    q    REG_SZ    /?\n");
}

TEST_F(StoreTest, ImportAppliesValuesAndDeletions) {
  importText(
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\A]\r\n\"keep\"=\"1\"\r\n\"drop\"=\"2\"\r\n"
      "[HKEY_LOCAL_MACHINE\\A\\Old\\Deep]\r\n\"x\"=dword:1\r\n"
      "[HKEY_LOCAL_MACHINE\\B]\r\n");
  EXPECT_EQ(importText("REGEDIT4\n[HKLM\\A]\n\"drop\"=-\n\"never\"=-\n[-HKLM\\A\\Old]\n[-HKLM\\B]\n[-HKLM\\Nothing]\n"),
            Done);
  EXPECT_EQ(ok({"query", "HKLM\\A", "/s"}), "\nHKEY_LOCAL_MACHINE\\A\n    keep    REG_SZ    1\n");
  EXPECT_EQ(fails({"query", "HKLM\\B"}), NotFound);
}

TEST_F(StoreTest, ExportThenImportGivesTheSameSubtree) {
  const std::string original =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Qorvi]\r\n"
      "@=\"C:\\\\Program Files\\\\\\\"Q\\\"\"\r\n"
      "\"dwUpdateSuccessTime\"=dword:05265c00\r\n"
      "\"szEmailAddress\"=\"m\xFCller@example.com\"\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Leer]\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\\xC4nderung]\r\n"
      "\"bin\"=hex:00,ff\r\n"
      "\"exp\"=hex(2):25,41,25,00\r\n"
      "\"inner\"=hex(1):61,00,62,00\r\n";
  importText(original);
  const std::string listing = ok({"query", "HKLM", "/s"});

  ok({"export", "HKLM\\software\\qorvi", path("out.reg")});
  EXPECT_EQ(readWholeFile(path("out.reg")), original);
  ok({"export", "HKLM", path("all.reg")});

  for (const char* exported : {"out.reg", "all.reg"}) {
    ok({"delete", "HKLM\\Software", "/f"});
    ok({"import", path(exported)});
    EXPECT_EQ(ok({"query", "HKLM", "/s"}), listing) << exported;
  }
}

ValueBytes bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

TEST_F(StoreTest, ExportThenImportKeepsEveryTypeByteForByteInBothForms) {
  const std::string key = "Software\\\xC4nderung";
  const Values values = {
      {"", {REG_SZ, bytesOf(std::string("Gr\xFC\xDF" "e", 6))}},
      {"\xC4rger", {REG_SZ, bytesOf(std::string("\x81", 2))}},
      {"big", {0x12345678, {1}}},
      {"bin", {REG_BINARY, {0x00, 0xFF}}},
      {"dword", {REG_DWORD, {1, 2, 3, 4}}},
      {"exp", {REG_EXPAND_SZ, bytesOf(std::string("%TEMP%\\\xE4", 9))}},
      {"multi", {REG_MULTI_SZ, bytesOf(std::string("a\0\x80\0\0", 5))}},
      {"none", {REG_NONE, {}}},
      {"qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
      {"short", {REG_DWORD, {1, 2, 3}}},
      {"tab", {REG_SZ, bytesOf(std::string("a\tb", 4))}},
      {"unterminated", {REG_SZ, bytesOf("ab")}},
  };
  store(key, values);
  // A text stored without its NUL comes back with one, as Windows imports it.
  Values imported = values;
  imported["unterminated"].second.push_back(0);
  ok({"export", "HKLM\\Software", path("ansi.reg")});
  ok({"export", "HKLM\\Software", path("unicode.reg"), "/unicode"});
  EXPECT_TRUE(readWholeFile(path("ansi.reg")).starts_with("REGEDIT4\r\n"));
  EXPECT_TRUE(readWholeFile(path("unicode.reg")).starts_with(std::string("\xFF\xFEW\0i\0n\0", 8)));

  for (const char* exported : {"ansi.reg", "unicode.reg"}) {
    ok({"delete", "HKLM\\Software", "/f"});
    ok({"import", path(exported), "/reg:32"});  // as scripts from Windows machines write it
    EXPECT_EQ(stored(key), imported) << exported;
  }
}

TEST_F(StoreTest, AVersion5ImportRefusesACharacterWindows1252CannotHoldAndChangesNothing) {
  ok({"add", "HKLM\\A", "/v", "v", "/d", "before"});
  const std::string listing = ok({"query", "HKLM", "/s"});
  // "Windows Registry Editor Version 5.00", [HKLM\A], "v"="after", "w"="Ω" in UTF-16LE.
  std::string file = "\xFF\xFE";
  for (char c : std::string("Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"v\"=\"after\"\r\n\"w\"=\"")) {
    file += std::string{c, '\0'};
  }
  file += std::string("\xA9\x03\"\0\r\0\n\0", 8);
  regfile::writeFileSafely(path("bad.reg"), file);
  EXPECT_EQ(fails({"import", path("bad.reg"), "/reg:32"}),
            "marovel-reg: " + path("bad.reg") +
                ":4: malformed value line (a character outside Windows-1252): \"w\"=\"\xCE\xA9\"\n");
  EXPECT_EQ(ok({"query", "HKLM", "/s"}), listing);
}

TEST_F(StoreTest, ExportRefusesToOverwriteWithoutYAndWritesNothingForAMissingKey) {
  ok({"add", "HKLM\\A", "/v", "v", "/d", "x"});
  regfile::writeFileSafely(path("out.reg"), "old");
  EXPECT_NE(fails({"export", "HKLM\\A", path("out.reg")}).find("/y overwrites it"), std::string::npos);
  EXPECT_EQ(readWholeFile(path("out.reg")), "old");
  ok({"export", "HKLM\\A", path("out.reg"), "/y"});
  EXPECT_EQ(readWholeFile(path("out.reg")), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"x\"\r\n");

  EXPECT_EQ(fails({"export", "HKLM\\Missing", path("missing.reg")}), NotFound);
  EXPECT_FALSE(fs::exists(path("missing.reg")));
}

TEST_F(StoreTest, AFailingImportChangesNothing) {
  ok({"add", "HKLM\\A", "/v", "v", "/d", "before"});
  const std::string listing = ok({"query", "HKLM", "/s"});
  regfile::writeFileSafely(path("bad.reg"),
                 "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\A]\r\n[HKEY_LOCAL_MACHINE\\B]\r\n\"v\"=\"after\"\r\n"
                 "\"n\"=dword:123456789\r\n");
  EXPECT_EQ(fails({"import", path("bad.reg")}),
            "marovel-reg: " + path("bad.reg") +
                ":6: malformed value line (dword: needs 1 to 8 hex digits): \"n\"=dword:123456789\n");
  EXPECT_EQ(ok({"query", "HKLM", "/s"}), listing);
}

TEST_F(StoreTest, BadInputGivesOneLineAndExitCodeOne) {
  EXPECT_NE(fails({"import", path("absent.reg")}).find("cannot open " + path("absent.reg")), std::string::npos);
  EXPECT_NE(fails({"query", "HKLM", "/q"}).find("unknown option /q"), std::string::npos);
  EXPECT_NE(fails({"query", "HKLM\\Missing"}).find("unable to find"), std::string::npos);

  regfile::writeFileSafely(store_.path(), std::string(4096, 'x'));
  EXPECT_EQ(fails({"query", "HKLM"}).find("marovel-reg: "), 0u);
  EXPECT_EQ(readWholeFile(store_.path()), std::string(4096, 'x'));
}

TEST_F(StoreTest, AReadOnlyStoreIsReadButNeverChanged) {
  ok({"add", "HKLM\\A", "/v", "v", "/d", "before"});
  const std::string listing = ok({"query", "HKLM", "/s"});
  regfile::writeFileSafely(path("in.reg"), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"after\"\r\n");
  fs::permissions(store_.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);

  for (const Args& change : {Args{"add", "HKLM\\A", "/v", "v", "/d", "after", "/f"}, Args{"import", path("in.reg")},
                             Args{"delete", "HKLM\\A", "/f"}}) {
    EXPECT_NE(fails(change).find("read-only"), std::string::npos) << change[0];
  }
  EXPECT_EQ(ok({"query", "HKLM", "/s"}), listing);
}

}  // namespace
}  // namespace marovel::reg_tool
