// The toolkit's save dialog as the window asks for it, answered from inside its own event loop
// as the user would answer it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs.h"

namespace marovel::main_window {
namespace {

template <class Widget>
Widget* openWidget() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<Widget*>(widget); found && found->isVisible()) return found;
  }
  return nullptr;
}

// Runs `answer` once the next modal dialog of the given kind is open, unless `context` is gone.
template <class Widget>
void whenOpen(QObject* context, std::function<void(Widget&)> answer) {
  QTimer::singleShot(0, context, [answer] {
    Widget* widget = openWidget<Widget>();
    ASSERT_NE(widget, nullptr);
    answer(*widget);
  });
}

class SaveDialog : public ::testing::Test {
 public:
  SaveDialog() {
    QFile existing(path("older.reg"));
    EXPECT_TRUE(existing.open(QIODevice::WriteOnly));
  }

  QString path(const QString& name) const { return folder_.filePath(name); }

  // The dialog as the main window asks for it; `answer` plays the user.
  QString ask(std::function<void(QFileDialog&)> answer) {
    whenOpen<QFileDialog>(&context_, [this, answer](QFileDialog& dialog) {
      dialog.setDirectory(folder_.path());
      answer(dialog);
      if (dialog.isVisible()) dialog.reject();  // whatever went wrong, the test goes on
    });
    QtDialogs dialogs;
    return dialogs.askSaveFileName(nullptr, "REG (*.reg)", "reg", "*.reg");
  }

  static void type(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
  }

 protected:
  QObject context_;  // answers still waiting go with the test

 private:
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

TEST_F(SaveDialog, AsksBeforeReplacingAnExistingFile) {
  QStringList questions;
  auto answerWith = [&](QMessageBox::StandardButton button) {
    whenOpen<QMessageBox>(&context_, [&questions, button](QMessageBox& box) {
      questions.append(box.text());
      box.button(button)->click();
    });
  };
  bool openAfterNo = false;
  QString answer = ask([&](QFileDialog& dialog) {
    answerWith(QMessageBox::No);
    type(dialog, "older");
    openAfterNo = dialog.isVisible();
    answerWith(QMessageBox::Yes);
    type(dialog, "older");
  });
  ASSERT_EQ(questions.size(), 2);
  EXPECT_TRUE(questions[0].contains("older.reg")) << questions[0].toStdString();
  EXPECT_TRUE(openAfterNo);
  EXPECT_EQ(answer, path("older.reg"));
}

}  // namespace
}  // namespace marovel::main_window
