// The Qt main window's wiring to its presenter: what loading shows lands in the widgets, the
// buttons reach their handlers, the dialogs get the presenter's questions and messages.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "main_window_fixture.h"
#include "qt_printing.h"
#include "test_folder.h"

namespace marovel::qt_ui {
namespace {

using registry::SettingValue;
using namespace testing::agent;

class MainWindowWiring : public MainWindowFixture {
 public:
  QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
};

TEST_F(MainWindowWiring, ShowsWhatWasLoadedInTheWidgets) {
  seedInstalledAgent(store);
  open();
  EXPECT_TRUE(control<QCheckBox>("Check1(1)")->isChecked());
  EXPECT_EQ(text("Text1(2)"), "1440");
  EXPECT_EQ(text("Text1(3)"), "1,5");
  EXPECT_EQ(text("Text2"), "first-last@example.org");
  EXPECT_EQ(control<QLabel>("Label4")->text(), "Agent-Einstellungen geladen.");
}

TEST_F(MainWindowWiring, AppliesThroughItsButton) {
  seedInstalledAgent(store);
  open();
  control<QCheckBox>("Check1(1)")->setChecked(false);
  control<QLineEdit>("Text1(3)")->setText("-");
  click("Command2");
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{0});
  EXPECT_EQ(store.value(kForvelKey, kFailure), SettingValue{});
  EXPECT_EQ(store.value(kForvelKey, kSuccess), SettingValue{86400000});
}

TEST_F(MainWindowWiring, KeepsAnAddressLongerThanALineEditsDefaultLimit) {
  const std::string longAddress(40000, 'a');
  store.createAgentKeys();
  store.setText(kAgentKey, kEmail, longAddress);
  open();
  EXPECT_EQ(text("Text2").size(), 40000);
  click("Command2");
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{longAddress});
}

TEST_F(MainWindowWiring, SavesUnderTheNameTheDialogGivesAndReportsAFailure) {
  seedInstalledAgent(store);
  open();
  testing::TestFolder folder;
  dialogs.saveFileName = QString::fromStdString(folder.path("agent.reg").string());
  click("Command4");
  EXPECT_EQ(dialogs.saveQuestions, (std::vector<QStringList>{{"REG (*.reg)", "reg", "*.reg"}}));
  EXPECT_EQ(folder.contents().at("agent.reg"),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration]\r\n"
            "\"dwBrisel2ServerEnabled\"=dword:00000001\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration]\r\n"
            "\"dwUpdateFailureTime\"=dword:0001D4C0\r\n"
            "\"dwUpdateSuccessTime\"=dword:05265C00\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent]\r\n"
            "\"szEmailAddress\"=\"first-last@example.org\"\r\n");
  EXPECT_TRUE(dialogs.messages.empty());

  dialogs.saveFileName = QString::fromStdString(folder.path("missing/agent.reg").string());
  click("Command4");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].first, "Fehlerbehandlung");
}

}  // namespace
}  // namespace marovel::qt_ui
