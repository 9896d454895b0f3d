// Each window as its form description has it: one loop over the description's controls checks
// that the Qt view rendered every one (name, container, caption or tooltip, rectangle, font,
// focus, tab order), plus what only the toolkit can tell (text metrics, stacking).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "diagnostics_window.h"
#include "diagnostics_window_form.h"
#include "main_window_fixture.h"
#include "main_window_form.h"
#include "qt_printing.h"
#include "status_notice.h"

namespace marovel::qt_ui {
namespace {

using forms::ControlKind;

// A group box's title, a label's, check box's or button's caption, a text box's tooltip.
QString captionOrToolTip(const QWidget& control) {
  if (auto* box = qobject_cast<const QGroupBox*>(&control)) return box->title();
  if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
  return control.toolTip();
}

bool hasOwnCaption(const forms::ControlDescription& control) {
  return control.kind != ControlKind::TextBox && control.kind != ControlKind::MultiLineTextBox;
}

QString focusedName() {
  QWidget* focused = QApplication::focusWidget();
  return focused ? focused->objectName() : QString("(none)");
}

// Every control where the description puts it, and the focus going round in its tab order.
void expectRendered(QWidget& window, const forms::FormDescription& form) {
  EXPECT_EQ(window.objectName(), utf8(form.designedName));
  EXPECT_EQ(window.windowTitle(), utf8(form.caption));
  EXPECT_EQ(window.size() * 15, QSize(form.clientWidth, form.clientHeight));
  if (form.font) {
    EXPECT_EQ(window.font().family(), utf8(form.font->faces[0]));
    EXPECT_EQ(window.font().pointSizeF(), form.font->points);
  } else {
    EXPECT_EQ(window.font(), QApplication::font());
  }
  for (const forms::ControlDescription& designed : form.controls) {
    SCOPED_TRACE(std::string(designed.designedName));
    auto* control = window.findChild<QWidget*>(utf8(designed.designedName));
    ASSERT_NE(control, nullptr);
    QWidget* container = control->parentWidget();
    const std::string_view expectedContainer =
        designed.container == forms::kWindow ? form.designedName
                                             : forms::controlOf(form, designed.container).designedName;
    EXPECT_EQ(container->objectName(), utf8(expectedContainer));
    if (hasOwnCaption(designed) && !designed.caption.empty()) {
      EXPECT_EQ(captionOrToolTip(*control), utf8(designed.caption));
    }
    if (!hasOwnCaption(designed)) {
      EXPECT_EQ(control->toolTip(), utf8(designed.toolTip));
    }
    const QRect pixels = control->geometry();
    EXPECT_EQ(QRect(pixels.topLeft() * 15, pixels.size() * 15),
              QRect(designed.rect.left, designed.rect.top, designed.rect.width, designed.rect.height));
    const forms::Font* font = designed.font ? designed.font : form.font;
    if (font) {
      EXPECT_EQ(control->font().family(), utf8(font->faces[0]));
      EXPECT_EQ(control->font().pointSizeF(), font->points);
    } else {
      EXPECT_EQ(control->font(), window.font());
    }
    EXPECT_TRUE(control->isVisible() && control->isEnabled());
    EXPECT_EQ(control->focusPolicy() == Qt::NoFocus, !forms::isFocusable(designed.kind));
  }
  const std::vector<forms::ControlId> order = forms::tabOrder(form);
  for (std::size_t step = 0; step <= order.size(); ++step) {
    EXPECT_EQ(focusedName(), utf8(forms::controlOf(form, order[step % order.size()]).designedName)) << step;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(focusedName(), utf8(forms::controlOf(form, order.back()).designedName));
}

class MainWindowLayout : public MainWindowFixture {
 protected:
  void SetUp() override { open(); }
};

TEST_F(MainWindowLayout, RendersItsDescription) { expectRendered(*form, forms::main_window::description()); }

TEST_F(MainWindowLayout, ShowsNoLiteralAmpersand) {
  // An access key character only stays hidden on a label that names the control it focuses.
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().contains(QChar('&'))) {
      EXPECT_NE(label->buddy(), nullptr) << label->objectName().toStdString();
    }
  }
}

TEST_F(MainWindowLayout, FitsEveryNoticeOnOneLine) {
  auto* label = control<QLabel>("Label4");
  QFontMetrics metrics(label->font());
  for (forms::StatusNotice notice : forms::kEveryStatusNotice) {
    QString text = utf8(forms::statusNoticeText(notice));
    EXPECT_LE(metrics.horizontalAdvance(text), label->width()) << text.toStdString();
  }
}

class DiagnosticsWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.show();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  testing::TempRegistry registry;
  QWidget owner;
  DiagnosticsWindow window{&owner};
};

TEST_F(DiagnosticsWindowLayout, RendersItsDescription) {
  expectRendered(window, forms::diagnostics_window::description());
}

TEST_F(DiagnosticsWindowLayout, TextBoxesAreReadOnlyButSelectable) {
  for (auto* box : window.findChildren<QLineEdit*>()) EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
  auto* multiLine = window.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(multiLine, nullptr);
  EXPECT_TRUE(multiLine->isReadOnly());
  EXPECT_TRUE(multiLine->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST_F(DiagnosticsWindowLayout, ArialResolvesToAMetricCompatibleFaceAndTheNoticeFitsOneLine) {
  auto* notice = window.findChild<QLabel*>("Label1");
  ASSERT_NE(notice, nullptr);
  QString resolved = QFontInfo(notice->font()).family();
  EXPECT_TRUE(resolved == "Arial" || resolved == "Liberation Sans") << resolved.toStdString();
  EXPECT_EQ(notice->text(), QString::fromUtf8("Nur zur Ansicht, nichts \xC3\xA4nderbar."));
  EXPECT_LE(QFontMetrics(notice->font()).horizontalAdvance(notice->text()), notice->width());
}

TEST_F(DiagnosticsWindowLayout, TheTwoWindowTextBoxesAreDrawnAboveTheQuarantineGroup) {
  for (const char* name : {"Text4(1)", "Text4(2)"}) {
    auto* box = window.findChild<QLineEdit*>(name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(window.childAt(box->geometry().center()), box) << name;
  }
}

}  // namespace
}  // namespace marovel::qt_ui
