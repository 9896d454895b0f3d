// The bytes of the file "Konfiguration speichern" writes, written out line by line.
#include "settings_reg_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marovel::forms {
namespace {

std::string joinLines(const std::vector<std::string>& lines) {
  std::string file;
  for (const std::string& line : lines) file += line + "\r\n";
  return file;
}

const std::string kBriselHeader = "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration]";
const std::string kForvelHeader = "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration]";
const std::string kAgentHeader = "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent]";

TEST(SettingsRegFile, WritesTheWholeFileByteForByte) {
  auto file = settingsRegFile({true, "1440", "360", "admin"}, ',');
  ASSERT_TRUE(file);
  EXPECT_EQ(*file, joinLines({"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000001",
                              kForvelHeader, "\"dwUpdateFailureTime\"=dword:01499700",
                              "\"dwUpdateSuccessTime\"=dword:05265C00", kAgentHeader,
                              "\"szEmailAddress\"=\"admin\""}));
}

TEST(SettingsRegFile, WritesDeletionsAndLeavesOutAnEmptyAddress) {
  auto file = settingsRegFile({false, "-", "-", ""}, ',');
  ASSERT_TRUE(file);
  EXPECT_EQ(*file, joinLines({"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000000",
                              kForvelHeader, "\"dwUpdateFailureTime\"=-", "\"dwUpdateSuccessTime\"=-"}));
}

TEST(SettingsRegFile, WritesEveryIntervalAsEightUpperCaseHexDigits) {
  struct Case {
    const char* minutes;
    char separator;
    const char* line;
  };
  const Case cases[] = {
      {"1", ',', "\"dwUpdateFailureTime\"=dword:0000EA60"},
      {"5", ',', "\"dwUpdateFailureTime\"=dword:000493E0"},
      {"1440", ',', "\"dwUpdateFailureTime\"=dword:05265C00"},
      {" 360 ", ',', "\"dwUpdateFailureTime\"=dword:01499700"},
      {"1,5", ',', "\"dwUpdateFailureTime\"=dword:0001D4C0"},
      {"2.5", '.', "\"dwUpdateFailureTime\"=dword:0001D4C0"},
      {"1e3", ',', "\"dwUpdateFailureTime\"=dword:03938700"},
      {"-1", ',', "\"dwUpdateFailureTime\"=dword:FFFF15A0"},
  };
  for (const Case& c : cases) {
    auto file = settingsRegFile({false, "-", c.minutes, ""}, c.separator);
    ASSERT_TRUE(file) << c.minutes;
    EXPECT_NE(file->find("\r\n" + std::string(c.line) + "\r\n"), std::string::npos) << c.minutes;
  }
}

TEST(SettingsRegFile, EscapesTheAddressAsARegistryString) {
  struct Case {
    const char* email;
    const char* line;
  };
  const Case cases[] = {
      {"first-last@example.de", "\"szEmailAddress\"=\"first-last@example.de\""},
      {"a\"b", "\"szEmailAddress\"=\"a\\\"b\""},
      {"C:\\path\\x", "\"szEmailAddress\"=\"C:\\\\path\\\\x\""},
      {"M\xC3\xBCller@example.de", "\"szEmailAddress\"=\"M\xFCller@example.de\""},
      {"\xE2\x82\xAC", "\"szEmailAddress\"=\"\x80\""},
  };
  for (const Case& c : cases) {
    auto file = settingsRegFile({false, "-", "-", c.email}, ',');
    ASSERT_TRUE(file) << c.email;
    EXPECT_TRUE(file->ends_with(kAgentHeader + "\r\n" + c.line + "\r\n")) << *file;
  }
}

TEST(SettingsRegFile, RefusesWhatWouldImportAsSomethingElse) {
  const EditedSettings cases[] = {
      {false, "-", "abc", ""},
      {false, "", "-", ""},
      {false, "-", "35792", ""},
      {false, "-", "1e10", ""},
      {false, "-", "1.5", ""},
      {false, "-", "-", "a\r\n[HKEY_LOCAL_MACHINE\\Software]"},
      {false, "-", "-", "a\nb"},
      {false, "-", "-", std::string("a\0b", 3)},
      {false, "-", "-", "tab\there"},
      {false, "-", "-", "\xCE\xA9mega"},
      {false, "-", "-", "\xC2\x81"},
      {false, "-", "-", "\xFF"},
  };
  for (const EditedSettings& settings : cases) {
    EXPECT_FALSE(settingsRegFile(settings, ','))
        << settings.updateSuccessText << " | " << settings.updateFailureText << " | " << settings.emailAddress;
  }
}

}  // namespace
}  // namespace marovel::forms
