// The gate before every focus change, per way of moving the focus: a refused interval swallows the
// click, the Tab step or the access key; an accepted one lets it happen.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "case_name.h"
#include "main_window_fixture.h"

namespace marovel::qt_ui {
namespace {

using namespace testing::agent;

const QString kRefusal = QString::fromUtf8("Bitte eine Zahl zwischen 1 und 1440 oder - eingeben!");

class FocusGate : public MainWindowFixture {
 public:
  // Puts the text into the update interval field and the focus into it.
  void enter(const QString& text) {
    control<QLineEdit>("Text1(2)")->setText(text);
    control("Text1(2)")->setFocus();
    ASSERT_EQ(focusedName(), "Text1(2)");
  }
};

struct ActionCase {
  const char* what;
  std::function<void(MainWindowFixture&)> act;
};

void PrintTo(const ActionCase& c, std::ostream* out) { *out << c.what; }

class RefusedAction : public FocusGate, public ::testing::WithParamInterface<ActionCase> {};

// Whatever takes the focus away from a refused entry does not happen at all.
TEST_P(RefusedAction, IsSwallowedWholly) {
  store.createAgentKeys();
  open();
  enter("0");
  GetParam().act(*this);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(focusedName(), "Text1(2)");
  EXPECT_EQ(control<QLineEdit>("Text1(2)")->text(), "0");
  EXPECT_TRUE(form->isVisible());                                     // not ended
  EXPECT_FALSE(control<QCheckBox>("Check1(1)")->isChecked());         // not toggled
  EXPECT_TRUE(registry::isEmpty(store.value(kBriselKey, kRelay)));  // not applied
  EXPECT_TRUE(dialogs.saveQuestions.empty());                         // not saved
}

ActionCase clickOn(const char* name) {
  return {name, [name](MainWindowFixture& f) { f.click(name); }};
}

ActionCase key(const char* what, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  return {what, [=](MainWindowFixture& f) { f.press(key, modifiers); }};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedAction,
    ::testing::Values(clickOn("Command2"), clickOn("Command4"), clickOn("Command1(4)"), clickOn("Command1(5)"),
                      clickOn("Check1(1)"), clickOn("Text1(3)"), clickOn("Text2"), key("Tab", Qt::Key_Tab),
                      key("ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier), key("AltN", Qt::Key_N, Qt::AltModifier),
                      key("AltS", Qt::Key_S, Qt::AltModifier), key("AltD", Qt::Key_D, Qt::AltModifier),
                      key("AltB", Qt::Key_B, Qt::AltModifier), key("AltR", Qt::Key_R, Qt::AltModifier),
                      key("AltF", Qt::Key_F, Qt::AltModifier)),
    testing::CaseName());

TEST_F(FocusGate, LetsTheActionHappenOnceTheEntryIsRight) {
  open();
  enter("0");
  click("Check1(1)");
  control<QLineEdit>("Text1(2)")->setText("5");
  click("Check1(1)");
  EXPECT_TRUE(control<QCheckBox>("Check1(1)")->isChecked());
  EXPECT_EQ(focusedName(), "Check1(1)");
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(FocusGate, ClosingTheWindowDoesNotValidate) {
  open();
  enter("abc");
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FocusGate, AccessKeysFocusWhatTheyNameAndClickButtons) {
  store.createAgentKeys();
  open();
  auto* relay = control<QCheckBox>("Check1(1)");
  relay->setChecked(true);
  press(Qt::Key_U, Qt::AltModifier);
  EXPECT_EQ(focusedName(), "Text1(2)");
  press(Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(focusedName(), "Text1(3)");
  press(Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(focusedName(), "Check1(1)");
  EXPECT_TRUE(relay->isChecked());  // a label's key only moves the focus
  press(Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(focusedName(), "Command2");
  EXPECT_EQ(store.value(kBriselKey, kRelay), registry::SettingValue{1});
  press(Qt::Key_B, Qt::AltModifier);
  EXPECT_FALSE(form->isVisible());
}

// As in the native program: only Alt with the letter is an access key.
TEST_F(FocusGate, ABareLetterOnAButtonIsNoAccessKey) {
  store.createAgentKeys();
  open();
  control("Command2")->setFocus();
  for (Qt::Key key : {Qt::Key_N, Qt::Key_B, Qt::Key_S}) press(key);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(focusedName(), "Command2");
  EXPECT_TRUE(registry::isEmpty(store.value(kBriselKey, kRelay)));
  EXPECT_TRUE(dialogs.saveQuestions.empty());
}

TEST_F(FocusGate, EnterAndEscapeDoNothing) {
  store.createAgentKeys();
  open();
  control<QCheckBox>("Check1(1)")->setChecked(true);
  for (const char* button : {"Command2", "Command1(4)"}) {
    control(button)->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) press(key);
  }
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(registry::isEmpty(store.value(kBriselKey, kRelay)));
}

TEST_F(FocusGate, RealMessageBoxHasOnlyOkAndNoIconAndGivesTheFocusBack) {
  QtDialogs realDialogs;
  open(&realDialogs);
  enter("0");
  QMessageBox* seen = nullptr;
  int answered = 0;
  QMessageBox::Icon icon = QMessageBox::Question;
  QMessageBox::StandardButtons buttons;
  QString caption, text;
  // Answers the box from inside its own event loop, as the user would.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = box;
    ++answered;
    icon = box->icon();
    buttons = box->standardButtons();
    caption = box->windowTitle();
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  answer.start(0);
  press(Qt::Key_Tab);
  answer.stop();
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, QMessageBox::Ok);
  EXPECT_EQ(caption, "Marovel Configuration Manager");
  EXPECT_EQ(text, kRefusal);
  EXPECT_EQ(answered, 1);  // the box taking the focus did not validate again
  EXPECT_EQ(form->focusWidget(), control("Text1(2)"));
}

}  // namespace
}  // namespace marovel::qt_ui
