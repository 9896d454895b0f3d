// The toolkit's save dialog as the window asks for it, answered from inside its own event loop
// as the user would answer it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs.h"

namespace marovel::qt_ui {
namespace {

QFileDialog* openFileDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

class SaveDialog : public ::testing::Test {
 public:
  QString path(const QString& name) const { return folder_.filePath(name); }

  // The dialog as the main window asks for it; once it is open, `answer` plays the user.
  QString ask(std::function<void(QFileDialog&)> answer) {
    QTimer::singleShot(0, &context_, [this, answer] {
      QFileDialog* dialog = openFileDialog();
      ASSERT_NE(dialog, nullptr);
      dialog->setDirectory(folder_.path());
      answer(*dialog);
      if (dialog->isVisible()) dialog->reject();  // whatever went wrong, the test goes on
    });
    QtDialogs dialogs;
    return dialogs.askSaveFileName(nullptr, "REG (*.reg)", "reg", "*.reg");
  }

  // Types into the name field over what is selected there, then presses Enter.
  static void type(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
  }

 private:
  QObject context_;  // an answer still waiting goes with the test
  QTemporaryDir folder_;
};

TEST_F(SaveDialog, OffersTheFilterAndInitialNameAndGivesNothingWhenCancelled) {
  QString shownName;
  QStringList filters;
  QString suffix;
  bool saving = false, asksBeforeOverwriting = false;
  QString answer = ask([&](QFileDialog& dialog) {
    shownName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
    filters = dialog.nameFilters();
    suffix = dialog.defaultSuffix();
    saving = dialog.acceptMode() == QFileDialog::AcceptSave;
    asksBeforeOverwriting = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
    dialog.reject();
  });
  EXPECT_EQ(shownName, "*.reg");
  EXPECT_EQ(filters, QStringList{"REG (*.reg)"});
  EXPECT_EQ(suffix, "reg");
  EXPECT_TRUE(saving);
  EXPECT_TRUE(asksBeforeOverwriting);
  EXPECT_TRUE(answer.isEmpty());
}

TEST_F(SaveDialog, TakesANameWithWildcardsAsWhatToListAndGoesOn) {
  bool openAfterInitialName = false, openAfterPattern = false;
  QString listed;
  QString answer = ask([&](QFileDialog& dialog) {
    type(dialog, "*.reg");
    openAfterInitialName = dialog.isVisible();
    type(dialog, "*.txt");
    openAfterPattern = dialog.isVisible();
    listed = dialog.selectedNameFilter();
    type(dialog, "agent");
  });
  EXPECT_TRUE(openAfterInitialName);
  EXPECT_TRUE(openAfterPattern);
  EXPECT_EQ(listed, "*.txt");
  EXPECT_EQ(answer, path("agent.reg"));
}

}  // namespace
}  // namespace marovel::qt_ui
