// An exported file, imported by the platform's own importer, leaves the agent's settings as
// "Über&nehmen" leaves them for the same window. The same source runs natively against
// marovel-reg and, built for Windows, under Wine against Wine's reg import into the agent's view.
#include <gtest/gtest.h>

#include <string>

#include "agent_setting_access.h"
#include "case_name.h"
#include "edited_settings.h"
#include "settings_reg_file.h"
#include "reg_file_importer.h"
#include "registry_helpers.h"
#include "test_folder.h"

namespace marovel::forms {
namespace {

using registry::SettingValue;
using settings::AgentSettingRow;
using settings::readAgentSetting;
using settings::writeAgentSetting;

constexpr char kGermanSeparator = ',';
const std::string kPriorEmail = "old@example.org";

struct AgentValues {
  SettingValue relay, failure, success, email;
  bool operator==(const AgentValues&) const = default;
};

void PrintTo(const SettingValue& value, std::ostream* out) {
  if (const auto* text = std::get_if<std::string>(&value)) *out << '"' << *text << '"';
  else if (const auto* number = std::get_if<std::int32_t>(&value)) *out << *number;
  else *out << "(none)";
}

void PrintTo(const AgentValues& values, std::ostream* out) {
  for (const SettingValue* value : {&values.relay, &values.failure, &values.success, &values.email}) {
    PrintTo(*value, out);
    *out << ' ';
  }
}

AgentValues storedAgentValues() {
  return {readAgentSetting(AgentSettingRow::RelayServerEnabled), readAgentSetting(AgentSettingRow::UpdateFailureTime),
          readAgentSetting(AgentSettingRow::UpdateSuccessTime), readAgentSetting(AgentSettingRow::EmailAddress)};
}

// The agent's keys as an installed agent has them, with values that no case leaves as they are
// except the address, which an empty field keeps.
void installPriorAgent(testing::RegFileImporter& registry) {
  registry.removeKey("Software\\Qorvi");
  for (std::string_view key : {settings::kAgentKey, settings::kBriselKey, settings::kForvelKey}) {
    ASSERT_TRUE(registry::CreateKey(std::string(key), HKEY_LOCAL_MACHINE)) << key;
  }
  writeAgentSetting(AgentSettingRow::RelayServerEnabled, std::int32_t{2});
  writeAgentSetting(AgentSettingRow::UpdateFailureTime, std::int32_t{7 * 60000});
  writeAgentSetting(AgentSettingRow::UpdateSuccessTime, std::int32_t{11 * 60000});
  writeAgentSetting(AgentSettingRow::EmailAddress, kPriorEmail);
  ASSERT_EQ(storedAgentValues(),
            (AgentValues{std::int32_t{2}, std::int32_t{7 * 60000}, std::int32_t{11 * 60000}, kPriorEmail}));
}

struct InteropCase {
  const char* what;
  EditedSettings window;
  AgentValues expected;
};

void PrintTo(const InteropCase& c, std::ostream* out) { *out << c.what; }

class ExportedFile : public ::testing::TestWithParam<InteropCase> {};

TEST_P(ExportedFile, ImportsAsApplyingWrites) {
  const InteropCase& c = GetParam();
  testing::RegFileImporter registry(testing::ImportView::Agent);

  installPriorAgent(registry);
  applyEditedSettings(c.window, kGermanSeparator);
  const AgentValues applied = storedAgentValues();
  EXPECT_EQ(applied, c.expected);

  installPriorAgent(registry);
  const auto bytes = settingsRegFile(c.window, kGermanSeparator);
  ASSERT_TRUE(bytes);
  const testing::TestFolder folder;
  const std::string name = std::string(c.what) + ".reg";
  folder.put(name, *bytes);
  EXPECT_EQ(registry.importFile(folder.path(name).string()), 0);
  EXPECT_EQ(storedAgentValues(), applied);
}

AgentValues expect(int relay, SettingValue failure, SettingValue success, std::string email) {
  return {std::int32_t{relay}, std::move(failure), std::move(success), std::move(email)};
}

constexpr std::int32_t minutes(std::int32_t count) { return count * 60000; }
const SettingValue kNone;

// Every flag, interval and kind of address occurs; Text1(2) is the update interval (success),
// Text1(3) the retry interval (failure).
INSTANTIATE_TEST_SUITE_P(
    Cases, ExportedFile,
    ::testing::Values(
        InteropCase{"on 360 1440 admin", {true, "1440", "360", "admin"},
                    expect(1, minutes(360), minutes(1440), "admin")},
        InteropCase{"off none none empty", {false, "-", "-", ""}, expect(0, kNone, kNone, kPriorEmail)},
        InteropCase{"on 1 5 hyphen", {true, "5", "1", "first-last@example.de"},
                    expect(1, minutes(1), minutes(5), "first-last@example.de")},
        InteropCase{"off 5 none umlaut", {false, "-", "5", "M\xC3\xBCller@example.de"},
                    expect(0, minutes(5), kNone, "M\xC3\xBCller@example.de")},
        InteropCase{"on none 1 quote", {true, "1", "-", "a\"b"}, expect(1, kNone, minutes(1), "a\"b")},
        InteropCase{"off 1440 360 backslashes", {false, "360", "1440", "C:\\path\\x"},
                    expect(0, minutes(1440), minutes(360), "C:\\path\\x")},
        InteropCase{"on 5 none empty", {true, "-", "5", ""}, expect(1, minutes(5), kNone, kPriorEmail)},
        InteropCase{"off none 1440 admin", {false, "1440", "-", "admin"}, expect(0, kNone, minutes(1440), "admin")},
        InteropCase{"on 1440 1 umlaut", {true, "1", "1440", "M\xC3\xBCller@example.de"},
                    expect(1, minutes(1440), minutes(1), "M\xC3\xBCller@example.de")},
        InteropCase{"off 360 5 quote", {false, "5", "360", "a\"b"}, expect(0, minutes(360), minutes(5), "a\"b")},
        InteropCase{"on 1 360 backslashes", {true, "360", "1", "C:\\path\\x"},
                    expect(1, minutes(1), minutes(360), "C:\\path\\x")},
        InteropCase{"off rounded fractions", {false, "2,5", "1,5", "first-last@example.de"},
                    expect(0, minutes(2), minutes(2), "first-last@example.de")}),
    testing::CaseName());

}  // namespace
}  // namespace marovel::forms
