// The diagnostics window as the main window's "&Diagnose" opens it, on a stand-in registry.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <string>

#include "agent_settings_schema.h"
#include "form1_fixture.h"
#include "form2.h"
#include "qt_printing.h"

namespace marovel::diagnostics_window {
namespace {

using registry::SettingValue;
using settings::agentSetting;
using settings::AgentSettingRow;

struct Shown {
  QString updateUrl, reportUpload, quarantinePath, quarantineUpload, quarantineSubmit;
};

Shown read(const Form2& form) {
  auto line = [&form](const char* name) { return form.findChild<QLineEdit*>(name)->text(); };
  return {form.findChild<QPlainTextEdit*>("Text1")->toPlainText(), line("Text3"), line("Text4(0)"), line("Text4(1)"),
          line("Text4(2)")};
}

class DiagnoseButton : public main_window::Form1Fixture {
 public:
  // Presses "&Diagnose" the given way and hands the window that opens modally to `look`, then
  // closes it with its own button. Gives how many diagnostics windows opened.
  int diagnose(const std::function<void(Form2&)>& look, const std::function<void()>& press) {
    int opened = 0;
    // Looks out from inside whatever event loop runs, the modal window's included.
    QTimer lookOut;
    QObject::connect(&lookOut, &QTimer::timeout, [&] {
      auto* diagnostics = qobject_cast<Form2*>(QApplication::activeModalWidget());
      if (diagnostics == nullptr || !diagnostics->isVisible()) return;
      ++opened;
      look(*diagnostics);
      QTest::mouseClick(diagnostics->findChild<QWidget*>("Command1"), Qt::LeftButton);
    });
    lookOut.start(0);
    press();
    lookOut.stop();
    return opened;
  }

  Shown diagnoseAndRead() {
    Shown shown;
    EXPECT_EQ(diagnose([&shown](Form2& diagnostics) { shown = read(diagnostics); }, [this] { click("Command1(5)"); }),
              1);
    return shown;
  }

  void put(AgentSettingRow row, const SettingValue& value) {
    const settings::AgentSetting& setting = agentSetting(row);
    std::string key(setting.loadKey), name(setting.valueName);
    store.createKey(key);
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
      store.setDword(key, name, *number);
    } else {
      store.setText(key, name, std::get<std::string>(value));
    }
  }

  SettingValue stored(AgentSettingRow row) {
    return store.value(std::string(agentSetting(row).loadKey), std::string(agentSetting(row).valueName));
  }
};

TEST_F(DiagnoseButton, ShowsAndStoresTheUpdateUrlWithItsEmailParameterRepaired) {
  const std::string host = "http://upd.example.com/?";  // 24 characters
  const std::pair<std::string, std::string> storedAndRepaired[] = {
      {host + "EmailAddress=first%2Dlast&lang=de", host + "EmailAddress=first-last&lang=de"},
      {host + "EmailAddress=first%2dlast&lang=de", host + "EmailAddress=first%2dlast&lang=de"},
      {host + "EmailAddress=first-last&lang=de", host + "EmailAddress=first-last&lang=de"},
      {"http://x/?EmailAddress=a%2Db&lang=de", "http://x/?EmailAddress=a%2Db&lang=de"},
      {host + "lang=de&EmailAddress=first%2Dlast", host + "lang=de&EmailAddress=first-last"},
      {host + "lang=de", host + "lang=de"},
      {"", ""},
      {host + "EmailAddress=j\xC3\xBCrgen%2Dm&lang=de", host + "EmailAddress=j\xC3\xBCrgen-m&lang=de"},
      {host + "<b>EmailAddress=a%2Db</b>&x", host + "<b>EmailAddress=a-b</b>&x"},
  };
  open();
  for (const auto& [url, repaired] : storedAndRepaired) {
    SCOPED_TRACE(url);
    put(AgentSettingRow::UpdateNowUrl, url);
    EXPECT_EQ(diagnoseAndRead().updateUrl, QString::fromStdString(repaired));
    EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(repaired));
  }
}

TEST_F(DiagnoseButton, ShowsEachLocationInItsOwnBoxAndReloadsOnEveryOpening) {
  put(AgentSettingRow::DranelUploadPath, std::string("https://reports.example/in"));
  put(AgentSettingRow::QuarantinePath, std::string("C:\\Qorvi\\Quarant\xC3\xA4ne"));
  put(AgentSettingRow::QuarantineUploadPath, std::string("https://quarantine.example/up"));
  put(AgentSettingRow::QuarantineSubmitUrl, std::string("<i>\\\\server\\submit</i>"));
  open();
  Shown shown = diagnoseAndRead();
  EXPECT_EQ(shown.updateUrl, "");
  EXPECT_EQ(shown.reportUpload, "https://reports.example/in");
  EXPECT_EQ(shown.quarantinePath, QString::fromUtf8("C:\\Qorvi\\Quarant\xC3\xA4ne"));
  EXPECT_EQ(shown.quarantineUpload, "https://quarantine.example/up");
  EXPECT_EQ(shown.quarantineSubmit, "<i>\\\\server\\submit</i>");

  put(AgentSettingRow::QuarantinePath, std::string("D:\\elsewhere"));
  EXPECT_EQ(diagnoseAndRead().quarantinePath, "D:\\elsewhere");
}

TEST_F(DiagnoseButton, MissingValuesShowEmptyAndAreNotCreated) {
  store.createAgentKeys();
  open();
  Shown shown = diagnoseAndRead();
  for (const QString& text :
       {shown.updateUrl, shown.reportUpload, shown.quarantinePath, shown.quarantineUpload, shown.quarantineSubmit}) {
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue());
}

TEST_F(DiagnoseButton, ANumberInPlaceOfATextIsShownButNotRewrittenAsText) {
  put(AgentSettingRow::UpdateNowUrl, std::int32_t{42});
  put(AgentSettingRow::QuarantinePath, std::int32_t{-7});
  open();
  Shown shown = diagnoseAndRead();
  EXPECT_EQ(shown.updateUrl, "42");
  EXPECT_EQ(shown.quarantinePath, "-7");
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(std::int32_t{42}));
}

TEST_F(DiagnoseButton, OpensOverTheMainWindowWhichTakesNoInputMeanwhile) {
  open();
  int opened = diagnose(
      [this](Form2& diagnostics) {
        EXPECT_EQ(diagnostics.parentWidget(), form.get());
        click("Command1(4)");  // "&Beenden"
        press(Qt::Key_B, Qt::AltModifier);
        EXPECT_TRUE(diagnostics.isVisible());
      },
      [this] { press(Qt::Key_D, Qt::AltModifier); });
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(DiagnoseButton, ARefusedIntervalKeepsItShut) {
  open();
  const std::function<void()> presses[] = {[this] { click("Command1(5)"); },
                                           [this] { press(Qt::Key_D, Qt::AltModifier); }};
  for (const auto& pressDiagnose : presses) {
    dialogs.messages.clear();
    control<QLineEdit>("Text1(2)")->setText("0");
    control("Text1(2)")->setFocus();
    EXPECT_EQ(diagnose([](Form2&) {}, pressDiagnose), 0);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(focusedName(), "Text1(2)");
  }
}

}  // namespace
}  // namespace marovel::diagnostics_window
