// The Qt diagnostics window's focus, keys and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QTest>
#include <QWidget>
#include <vector>

#include "diagnostics_window.h"
#include "qt_printing.h"
#include "temp_registry.h"

namespace marovel::qt_ui {
namespace {

class DiagnosticsWindowShown : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.show();
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(form.isActiveWindow());
  }

  QWidget* control(const char* name) { return form.findChild<QWidget*>(name); }
  QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "(none)"; }

  testing::TempRegistry registry;
  QWidget owner;
  DiagnosticsWindow form{&owner};
};

TEST_F(DiagnosticsWindowShown, FocusStartsOnTheUploadUrlAndTabsThroughTheTextBoxesAndTheButton) {
  EXPECT_EQ(focusName(), "Text3");
  const std::vector<QString> forward = {"Text4(0)", "Command1", "Text1", "Text4(1)", "Text4(2)", "Text3"};
  for (const QString& next : forward) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusName(), next);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(focusName(), "Text4(2)");
}

TEST_F(DiagnosticsWindowShown, OnlySpaceOnTheButtonClosesTheWindowFromTheKeyboard) {
  struct Case {
    const char* focus;
    Qt::Key key;
    bool closes;
  };
  const Case cases[] = {
      {"Text3", Qt::Key_Escape, false},    {"Text3", Qt::Key_Return, false},    {"Text1", Qt::Key_Return, false},
      {"Command1", Qt::Key_Escape, false}, {"Command1", Qt::Key_Return, false}, {"Command1", Qt::Key_Space, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.focus) + " " + QKeySequence(c.key).toString().toStdString());
    form.show();
    QApplication::setActiveWindow(&form);
    control(c.focus)->setFocus();
    QTest::keyClick(control(c.focus), c.key);
    EXPECT_EQ(form.isVisible(), !c.closes);
  }
}

TEST_F(DiagnosticsWindowShown, TheButtonAndTheCloseBoxCloseIt) {
  QTest::mouseClick(control("Command1"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace marovel::qt_ui
