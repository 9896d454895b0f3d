// What the window shows and what it writes back, against a stand-in registry.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <string>

#include "agent_settings_schema.h"
#include "form2.h"
#include "qt_printing.h"
#include "temp_registry.h"

namespace marovel::diagnostics_window {
namespace {

using registry::SettingValue;
using settings::agentSetting;
using settings::AgentSettingRow;

struct Shown {
  QString updateUrl, reportUpload, quarantinePath, quarantineUpload, quarantineSubmit;
};

Shown openAndRead() {
  QWidget owner;
  Form2 form(&owner);
  auto line = [&form](const char* name) { return form.findChild<QLineEdit*>(name)->text(); };
  return {form.findChild<QPlainTextEdit*>("Text1")->toPlainText(), line("Text3"), line("Text4(0)"), line("Text4(1)"),
          line("Text4(2)")};
}

void store(AgentSettingRow row, const SettingValue& value) {
  TempRegistry::set(agentSetting(row).loadKey, agentSetting(row).valueName, value);
}

SettingValue stored(AgentSettingRow row) {
  return TempRegistry::get(agentSetting(row).loadKey, agentSetting(row).valueName);
}

TEST(Form2Loading, RepairsTheUpdateUrlsEmailParameterAndShowsWhatItStores) {
  struct Case {
    const char* what;
    std::string stored;
    std::string repaired;
  };
  const std::string host = "http://upd.example.com/?";  // 24 characters
  const Case cases[] = {
      {"encoded hyphen, then another parameter", host + "EmailAddress=first%2Dlast&lang=de",
       host + "EmailAddress=first-last&lang=de"},
      {"lower-case escape", host + "EmailAddress=first%2dlast&lang=de", host + "EmailAddress=first%2dlast&lang=de"},
      {"already repaired", host + "EmailAddress=first-last&lang=de", host + "EmailAddress=first-last&lang=de"},
      {"parameter within the first 23 characters", "http://x/?EmailAddress=a%2Db&lang=de",
       "http://x/?EmailAddress=a%2Db&lang=de"},
      {"parameter last in the URL", host + "lang=de&EmailAddress=first%2Dlast",
       host + "lang=de&EmailAddress=first-last"},
      {"no parameter", host + "lang=de", host + "lang=de"},
      {"empty URL", "", ""},
      {"umlaut through the code page", host + "EmailAddress=j\xC3\xBCrgen%2Dm&lang=de",
       host + "EmailAddress=j\xC3\xBCrgen-m&lang=de"},
      {"markup is plain text", host + "<b>EmailAddress=a%2Db</b>&x", host + "<b>EmailAddress=a-b</b>&x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempRegistry registry;
    store(AgentSettingRow::UpdateNowUrl, c.stored);
    EXPECT_EQ(openAndRead().updateUrl, QString::fromStdString(c.repaired));
    EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(c.repaired));
  }
}

TEST(Form2Loading, ShowsEachLocationInItsOwnBox) {
  TempRegistry registry;
  store(AgentSettingRow::DranelUploadPath, std::string("https://reports.example/in"));
  store(AgentSettingRow::QuarantinePath, std::string("C:\\Qorvi\\Quarant\xC3\xA4ne"));
  store(AgentSettingRow::QuarantineUploadPath, std::string("https://quarantine.example/up"));
  store(AgentSettingRow::QuarantineSubmitUrl, std::string("<i>\\\\server\\submit</i>"));
  Shown shown = openAndRead();
  EXPECT_EQ(shown.updateUrl, "");
  EXPECT_EQ(shown.reportUpload, "https://reports.example/in");
  EXPECT_EQ(shown.quarantinePath, QString::fromUtf8("C:\\Qorvi\\Quarant\xC3\xA4ne"));
  EXPECT_EQ(shown.quarantineUpload, "https://quarantine.example/up");
  EXPECT_EQ(shown.quarantineSubmit, "<i>\\\\server\\submit</i>");
}

TEST(Form2Loading, MissingValuesShowEmptyAndAreNotCreated) {
  TempRegistry registry;
  for (AgentSettingRow row :
       {AgentSettingRow::UpdateNowUrl, AgentSettingRow::DranelUploadPath, AgentSettingRow::QuarantinePath}) {
    TempRegistry::createKey(agentSetting(row).loadKey);
  }
  Shown shown = openAndRead();
  for (const QString& text :
       {shown.updateUrl, shown.reportUpload, shown.quarantinePath, shown.quarantineUpload, shown.quarantineSubmit}) {
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue());
}

TEST(Form2Loading, ANumberInPlaceOfTheUrlIsShownButNotRewrittenAsText) {
  TempRegistry registry;
  store(AgentSettingRow::UpdateNowUrl, std::int32_t{42});
  store(AgentSettingRow::QuarantinePath, std::int32_t{-7});
  Shown shown = openAndRead();
  EXPECT_EQ(shown.updateUrl, "42");
  EXPECT_EQ(shown.quarantinePath, "-7");
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(std::int32_t{42}));
}

}  // namespace
}  // namespace marovel::diagnostics_window
