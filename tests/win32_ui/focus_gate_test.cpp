// The gate before every focus change of the native main window, per way of moving the focus: a
// refused interval swallows the click, the Tab step or the access key; an accepted one lets it
// happen. Only Alt with a letter is an access key; Enter and Esc do nothing.
#include <functional>

#include "case_name.h"
#include "window_fixture.h"

namespace marovel::win32_ui {
namespace {

using namespace forms::main_window;
using namespace testing::agent;

const std::pair<std::string, std::string> kRefusal{"Marovel Configuration Manager",
                                                   "Bitte eine Zahl zwischen 1 und 1440 oder - eingeben!"};

class FocusGate : public NativeWindowFixture {
 public:
  void SetUp() override {
    store.createAgentKeys();
    open();
  }

  // Puts the text into the update interval field and the focus into it.
  void enter(const char* text) {
    SetWindowTextW(control(UpdateIntervalField), widen(text).c_str());
    SetFocus(control(UpdateIntervalField));
    ASSERT_EQ(focused(), UpdateIntervalField);
  }

  bool relayApplied() const { return !registry::isEmpty(store.value(kBriselKey, kRelay)); }
};

struct ActionCase {
  const char* what;
  std::function<void(FocusGate&)> act;
  int focusedWhenAccepted;
};

void PrintTo(const ActionCase& c, std::ostream* out) { *out << c.what; }

class GatedAction : public FocusGate, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(GatedAction, IsSwallowedWhollyWhenRefused) {
  enter("0");
  GetParam().act(*this);
  EXPECT_EQ(dialogs.messages, (std::vector<std::pair<std::string, std::string>>{kRefusal}));
  EXPECT_EQ(focused(), UpdateIntervalField);
  EXPECT_EQ(text(UpdateIntervalField), "0");
  EXPECT_TRUE(window->isOpen());
  EXPECT_FALSE(relayApplied());
  EXPECT_EQ(dialogs.saveQuestions, 0);
}

TEST_P(GatedAction, HappensWhenAccepted) {
  enter("5");
  GetParam().act(*this);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(focused(), GetParam().focusedWhenAccepted);
}

ActionCase clickOn(const char* what, int id) {
  return {what, [id](FocusGate& f) { f.click(id); }, id};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GatedAction,
    ::testing::Values(clickOn("click on the relay box", RelayCheck), clickOn("click on the e-mail field", EmailField),
                      clickOn("click on save", SaveButton),
                      ActionCase{"Tab", [](FocusGate& f) { f.press(VK_TAB); }, RetryIntervalField},
                      ActionCase{"Shift Tab", [](FocusGate& f) { f.press(VK_TAB, true); }, RelayCheck},
                      ActionCase{"Alt F on a label", [](FocusGate& f) { f.pressWithAlt(L'F'); }, RetryIntervalField},
                      ActionCase{"Alt S on a button", [](FocusGate& f) { f.pressWithAlt(L'S'); }, SaveButton}),
    testing::CaseName());

TEST_F(FocusGate, AnAcceptedClickOrAccessKeyDoesItsWork) {
  enter("5");
  click(RelayCheck);
  EXPECT_EQ(SendMessageW(control(RelayCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  pressWithAlt(L'N');
  EXPECT_EQ(focused(), ApplyButton);
  EXPECT_TRUE(relayApplied());
  pressWithAlt(L'R');  // a label's key only moves the focus
  EXPECT_EQ(focused(), RelayCheck);
  EXPECT_EQ(SendMessageW(control(RelayCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(FocusGate, ABareLetterEnterAndEscOnAButtonDoNothing) {
  SetFocus(control(ApplyButton));
  for (WPARAM letter : {L'n', L'b', L's'}) post(ApplyButton, WM_CHAR, letter);
  for (UINT key : {VK_RETURN, VK_ESCAPE}) press(key);
  EXPECT_TRUE(window->isOpen());
  EXPECT_FALSE(relayApplied());
  EXPECT_EQ(dialogs.saveQuestions, 0);
  EXPECT_EQ(focused(), ApplyButton);
}

// Alt with the number pad types a character; its keys' codes are those of letters ('b' for 2).
TEST_F(FocusGate, AltWithTheNumberPadIsNoAccessKey) {
  SetFocus(control(EmailField));
  for (wchar_t key : {VK_NUMPAD2, VK_NUMPAD5, VK_NUMPAD2}) pressWithAlt(key);
  EXPECT_TRUE(window->isOpen());
  EXPECT_EQ(focused(), EmailField);
}

TEST_F(FocusGate, TheCloseBoxClosesWithoutAsking) {
  enter("abc");
  PostMessageW(window->window(), WM_CLOSE, 0, 0);
  handlePendingMessages();
  EXPECT_FALSE(window->isOpen());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FocusGate, TheEmailFieldTakesOnlyWhatTheCodePageHolds) {
  SetFocus(control(EmailField));
  for (wchar_t typed : {L'M', L'\u00FC', L'\u03A9', L'x'}) post(EmailField, WM_CHAR, typed);
  EXPECT_EQ(text(EmailField), "M\xC3\xBCx");
}

}  // namespace
}  // namespace marovel::win32_ui
