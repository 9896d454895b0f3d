// "&Diagnose" in the Qt program: a new diagnostics window each time, modal over the main window,
// showing what its presenter loaded; a refused interval keeps it shut.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <string>

#include "diagnostics_window.h"
#include "main_window_fixture.h"
#include "qt_printing.h"

namespace marovel::qt_ui {
namespace {

using testing::agent::kForvelKey;
const char kQuarantineKey[] = "Software\\Qorvi\\Quarantine";

struct Shown {
  QString updateUrl, quarantinePath;
};

class DiagnoseButton : public MainWindowFixture {
 public:
  // Presses "&Diagnose" the given way and hands the window that opens modally to `look`, then
  // closes it with its own button. Gives how many diagnostics windows opened.
  int diagnose(const std::function<void(DiagnosticsWindow&)>& look, const std::function<void()>& press) {
    int opened = 0;
    // Looks out from inside whatever event loop runs, the modal window's included.
    QTimer lookOut;
    QObject::connect(&lookOut, &QTimer::timeout, [&] {
      auto* diagnostics = qobject_cast<DiagnosticsWindow*>(QApplication::activeModalWidget());
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
    auto read = [&shown](DiagnosticsWindow& window) {
      shown = {window.findChild<QPlainTextEdit*>("Text1")->toPlainText(),
               window.findChild<QLineEdit*>("Text4(0)")->text()};
    };
    EXPECT_EQ(diagnose(read, [this] { click("Command1(5)"); }), 1);
    return shown;
  }
};

TEST_F(DiagnoseButton, ShowsWhatItsPresenterLoadedAfreshOnEveryOpening) {
  store.createKey(kForvelKey);
  store.createKey(kQuarantineKey);
  store.setText(kForvelKey, "szUpdateNowURL", "http://upd.example.com/?EmailAddress=first%2Dlast&lang=de");
  store.setText(kQuarantineKey, "szQuarantinePath", "C:\\Qorvi\\Quarant\xC3\xA4ne");
  open();
  Shown shown = diagnoseAndRead();
  EXPECT_EQ(shown.updateUrl, "http://upd.example.com/?EmailAddress=first-last&lang=de");
  EXPECT_EQ(shown.quarantinePath, QString::fromUtf8("C:\\Qorvi\\Quarant\xC3\xA4ne"));

  store.setText(kQuarantineKey, "szQuarantinePath", "D:\\elsewhere");
  EXPECT_EQ(diagnoseAndRead().quarantinePath, "D:\\elsewhere");
}

TEST_F(DiagnoseButton, OpensOverTheMainWindowWhichTakesNoInputMeanwhile) {
  open();
  int opened = diagnose(
      [this](DiagnosticsWindow& diagnostics) {
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
    EXPECT_EQ(diagnose([](DiagnosticsWindow&) {}, pressDiagnose), 0);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(focusedName(), "Text1(2)");
  }
}

}  // namespace
}  // namespace marovel::qt_ui
