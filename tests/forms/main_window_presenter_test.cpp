// The main window's decisions through a recording view on an empty agent registry: loading, the
// interval gate, applying, saving, diagnose and end.
#include "main_window_presenter.h"

#include <gtest/gtest.h>

#include <memory>

#include "case_name.h"
#include "main_window_presenting.h"

namespace marovel::forms {
namespace {

using namespace main_window;
using namespace testing::agent;
using registry::SettingValue;
using testing::FolderContents;

const std::string kTitle = "Marovel Configuration Manager";
const std::string kRefusal = "Bitte eine Zahl zwischen 1 und 1440 oder - eingeben!";

struct LoadCase {
  const char* what;
  std::vector<Stored> stored;
  char separator;
  bool relay;
  const char* updateInterval;
  const char* retryInterval;
  const char* email;
};

class Loading : public MainWindowPresenting, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, ShowsTheStoredSettingsAndStoresTheRepairedAddress) {
  const LoadCase& c = GetParam();
  seed(c.stored);
  open(c.separator);
  EXPECT_EQ(view.isChecked(RelayCheck), c.relay);
  EXPECT_EQ(view.text(UpdateIntervalField), c.updateInterval);
  EXPECT_EQ(view.text(RetryIntervalField), c.retryInterval);
  EXPECT_EQ(view.text(EmailField), c.email);
  // A missing address is not created.
  EXPECT_EQ(store.value(kAgentKey, kEmail), *c.email ? SettingValue{std::string(c.email)} : SettingValue{});
  EXPECT_EQ(view.text(NoticeLabel), kReady);
  EXPECT_TRUE(view.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Loading,
    ::testing::Values(
        LoadCase{"nothing stored", {}, ',', false, "-", "-", ""},
        LoadCase{"relay 0", {{kBriselKey, kRelay, 0}}, ',', false, "-", "-", ""},
        LoadCase{"relay 1", {{kBriselKey, kRelay, 1}}, ',', true, "-", "-", ""},
        LoadCase{"relay 2", {{kBriselKey, kRelay, 2}}, ',', false, "-", "-", ""},
        LoadCase{"whole minutes", {{kForvelKey, kSuccess, 86400000}, {kForvelKey, kFailure, 21600000}}, ',', false,
                 "1440", "360", ""},
        LoadCase{"zero is none", {{kForvelKey, kSuccess, 0}, {kForvelKey, kFailure, 0}}, ',', false, "-", "-", ""},
        LoadCase{"german fraction", {{kForvelKey, kFailure, 90000}}, ',', false, "-", "1,5", ""},
        LoadCase{"english fraction", {{kForvelKey, kFailure, 90000}}, '.', false, "-", "1.5", ""},
        LoadCase{"fifteen digits", {{kForvelKey, kFailure, 100000}}, ',', false, "-", "1,66666666666667", ""},
        LoadCase{"encoded hyphen", {{kAgentKey, kEmail, "first%2Dlast@example.org"}}, ',', false, "-", "-",
                 "first-last@example.org"},
        LoadCase{"lower case code stays", {{kAgentKey, kEmail, "a%2db"}}, ',', false, "-", "-", "a%2db"},
        LoadCase{"umlaut", {{kAgentKey, kEmail, "M\xC3\xBCller@example.de"}}, ',', false, "-", "-",
                 "M\xC3\xBCller@example.de"},
        LoadCase{"numbers as text",
                 {{kBriselKey, kRelay, "1"}, {kForvelKey, kFailure, "90000"}, {kForvelKey, kSuccess, " 60000 "}}, '.',
                 true, "1", "1.5", ""},
        LoadCase{"other text as none",
                 {{kBriselKey, kRelay, "yes"}, {kForvelKey, kFailure, "abc"}, {kForvelKey, kSuccess, ""}}, ',', false,
                 "-", "-", ""}),
    testing::CaseName());

struct EmailWriteBackCase {
  const char* what;
  std::optional<testing::StoredValue> stored;
  const char* shown;
  std::optional<testing::StoredValue> after;
};

class LoadingTheEmailAddress : public MainWindowPresenting, public ::testing::WithParamInterface<EmailWriteBackCase> {};

TEST_P(LoadingTheEmailAddress, WritesBackOnlyATextAndLeavesAnyOtherValueAsItIs) {
  const EmailWriteBackCase& c = GetParam();
  store.createAgentKeys();
  if (c.stored) store.setRaw(kAgentKey, kEmail, *c.stored);
  open();
  EXPECT_EQ(view.text(EmailField), c.shown);
  EXPECT_EQ(store.raw(kAgentKey, kEmail), c.after);
}

// Bytes as stored: a text with its NUL.
testing::StoredValue stored(DWORD type, std::string_view bytes) { return {type, std::string(bytes)}; }

const testing::StoredValue kExpandable = stored(REG_EXPAND_SZ, std::string_view("%USERNAME%@corp.example", 24));
const testing::StoredValue kNumber = stored(REG_DWORD, std::string_view("\x07\0\0\0", 4));
const testing::StoredValue kBinary = stored(REG_BINARY, "%2D");

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadingTheEmailAddress,
    ::testing::Values(
        EmailWriteBackCase{"missing stays missing", std::nullopt, "", std::nullopt},
        EmailWriteBackCase{"text repaired", stored(REG_SZ, std::string_view("a%2Db", 6)), "a-b",
                           stored(REG_SZ, std::string_view("a-b", 4))},
        EmailWriteBackCase{"same text stays", stored(REG_SZ, std::string_view("a@b", 4)), "a@b",
                           stored(REG_SZ, std::string_view("a@b", 4))},
        EmailWriteBackCase{"expandable text stays", kExpandable, "", kExpandable},
        EmailWriteBackCase{"number stays", kNumber, "7", kNumber},
        EmailWriteBackCase{"binary stays", kBinary, "", kBinary}),
    testing::CaseName());

TEST_F(MainWindowPresenting, TellsWhenTheAgentKeysAreMissingAndCreatesNone) {
  open();
  EXPECT_EQ(view.text(NoticeLabel), "Agent-Einstellungen fehlen.");
  EXPECT_FALSE(store.keyExists(kAgentKey));
}

struct EntryCase {
  const char* text;
  char separator;
  bool accepted;
};

void PrintTo(const EntryCase& c, std::ostream* out) { *out << '"' << c.text << "\" with " << c.separator; }

class IntervalEntry : public MainWindowPresenting, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(IntervalEntry, MayLeaveTheFieldOrIsRefusedWithTheFocusKept) {
  const EntryCase& c = GetParam();
  open(c.separator);
  for (Control field : {UpdateIntervalField, RetryIntervalField}) {
    view.messages.clear();
    view.focused = kWindow;
    view.setText(field, c.text);
    EXPECT_EQ(presenter->mayLeave(field), c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(view.messages.empty());
      EXPECT_EQ(view.focused, kWindow);
    } else {
      EXPECT_EQ(view.messages, (std::vector<std::pair<std::string, std::string>>{{kTitle, kRefusal}}));
      EXPECT_EQ(view.focused, field);
    }
    EXPECT_EQ(view.text(field), c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntervalEntry,
    ::testing::Values(EntryCase{"1", ',', true}, EntryCase{"1440", ',', true}, EntryCase{"-", ',', true},
                      EntryCase{"1,5", ',', true}, EntryCase{" 360 ", ',', true}, EntryCase{"1e3", ',', true},
                      EntryCase{"1.5", '.', true}, EntryCase{"1440", '.', true}, EntryCase{"-", '.', true},
                      EntryCase{"0", ',', false}, EntryCase{"1441", ',', false}, EntryCase{"0,5", ',', false},
                      EntryCase{"1440,5", ',', false}, EntryCase{"", ',', false}, EntryCase{" -", ',', false},
                      EntryCase{"--", ',', false}, EntryCase{"abc", ',', false}, EntryCase{"1.5", ',', false},
                      EntryCase{"0.5", '.', false}, EntryCase{"1440.5", '.', false}, EntryCase{"1,5", '.', false},
                      EntryCase{"", '.', false}));

TEST_F(MainWindowPresenting, LetsTheFocusLeaveAnyOtherControlWhateverItHolds) {
  open();
  view.setText(UpdateIntervalField, "0");
  view.setText(EmailField, "0");
  for (Control control : {RelayCheck, EmailField, ApplyButton, SaveButton, DiagnoseButton, EndButton}) {
    EXPECT_TRUE(presenter->mayLeave(control)) << control;
  }
  EXPECT_TRUE(view.messages.empty());
}

struct ApplyCase {
  const char* what;
  WindowState state;
  SettingValue relay, success, failure, email;
};

class Applying : public MainWindowPresenting, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(Applying, WritesWhatTheWindowShowsAndTellsItTookIt) {
  const ApplyCase& c = GetParam();
  seed({{kBriselKey, kRelay, 1}, {kForvelKey, kSuccess, 60000}, {kForvelKey, kFailure, 60000},
        {kAgentKey, kEmail, "old@example.org"}});
  open();
  show(c.state);
  for (int round = 0; round < 2; ++round) {  // applying again changes nothing
    presenter->onApplyClicked();
    EXPECT_EQ(store.value(kBriselKey, kRelay), c.relay);
    EXPECT_EQ(store.value(kForvelKey, kSuccess), c.success);
    EXPECT_EQ(store.value(kForvelKey, kFailure), c.failure);
    EXPECT_EQ(store.value(kAgentKey, kEmail), c.email);
    EXPECT_EQ(view.text(NoticeLabel), kReady);
  }
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.text(UpdateIntervalField), c.state.updateInterval);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Applying,
    ::testing::Values(ApplyCase{"set", {true, "1440", "360", "new@example.org"}, 1, 86400000, 21600000,
                                "new@example.org"},
                      ApplyCase{"cleared", {false, "-", "-", ""}, 0, {}, {}, "old@example.org"},
                      ApplyCase{"rounded", {false, "2,5", "1,5", "x"}, 0, 120000, 120000, "x"}),
    testing::CaseName());

// A user who may only read sees what is stored, and applying takes nothing.
TEST_F(MainWindowPresenting, TellsWhenTheSettingsMayNotBeWrittenAndThatApplyingDidNotTake) {
  seed({{kBriselKey, kRelay, 0}, {kForvelKey, kSuccess, 86400000}, {kForvelKey, kFailure, 90000}});
  store.refuseWrites();
  open();
  EXPECT_EQ(view.text(NoticeLabel), "\xC3\x84ndern nur als Administrator.");
  EXPECT_EQ(view.text(UpdateIntervalField), "1440") << "what is stored, not an invented setting";
  EXPECT_EQ(view.text(RetryIntervalField), "1,5");
  view.setChecked(RelayCheck, true);
  presenter->onApplyClicked();
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{0});
  EXPECT_EQ(view.text(NoticeLabel), kNotApplied);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(MainWindowPresenting, TellsWhenAWriteDidNotTake) {
  store.createKey(kAgentKey);
  store.createKey(kForvelKey);
  open();
  show({true, "5", "-", ""});
  presenter->onApplyClicked();
  EXPECT_TRUE(registry::isEmpty(store.value(kBriselKey, kRelay)));
  EXPECT_EQ(view.text(NoticeLabel), kNotApplied);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(Saving, AsksForARegFileAndDoesNothingWhenCancelled) {
  openWith({true, "5", "1", "x"});
  save("");
  EXPECT_EQ(view.saveQuestions, (std::vector<std::vector<std::string>>{{"REG (*.reg)", "reg", "*.reg"}}));
  EXPECT_TRUE(view.messages.empty());
  EXPECT_TRUE(folder.contents().empty());
  EXPECT_EQ(agentValues(), registryBefore);
}

struct SavedCase {
  const char* what;
  WindowState state;
  char separator;
  FolderContents before;
  std::vector<std::string> lines;  // of the file agent.reg
};

class SavingWindowStates : public Saving, public ::testing::WithParamInterface<SavedCase> {};

TEST_P(SavingWindowStates, WritesThemUnderTheChosenNameAndTouchesNothingElse) {
  const SavedCase& c = GetParam();
  for (const auto& [name, bytes] : c.before) folder.put(name, bytes);
  openWith(c.state, c.separator);
  save("agent.reg");
  EXPECT_TRUE(view.messages.empty());
  FolderContents expected = c.before;
  expected["agent.reg"] = fileOf(c.lines);
  EXPECT_EQ(folder.contents(), expected);
  EXPECT_EQ(agentValues(), registryBefore);
  EXPECT_EQ(view.text(RetryIntervalField), c.state.retryInterval);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavingWindowStates,
    ::testing::Values(
        SavedCase{"every setting",
                  {true, "1440", "360", "admin@example.de"},
                  ',',
                  {},
                  {"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000001", kForvelHeader,
                   "\"dwUpdateFailureTime\"=dword:01499700", "\"dwUpdateSuccessTime\"=dword:05265C00", kAgentHeader,
                   "\"szEmailAddress\"=\"admin@example.de\""}},
        SavedCase{"nothing set",
                  {false, "-", "-", ""},
                  ',',
                  {},
                  {"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000000", kForvelHeader,
                   "\"dwUpdateFailureTime\"=-", "\"dwUpdateSuccessTime\"=-"}},
        SavedCase{"german fraction",
                  {false, "2,5", "1,5", "M\xC3\xBCller@example.de"},
                  ',',
                  {},
                  {"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000000", kForvelHeader,
                   "\"dwUpdateFailureTime\"=dword:0001D4C0", "\"dwUpdateSuccessTime\"=dword:0001D4C0", kAgentHeader,
                   "\"szEmailAddress\"=\"M\xFCller@example.de\""}},
        SavedCase{"english fraction",
                  {true, "2.5", "-", "a\"b"},
                  '.',
                  {},
                  {"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000001", kForvelHeader,
                   "\"dwUpdateFailureTime\"=-", "\"dwUpdateSuccessTime\"=dword:0001D4C0", kAgentHeader,
                   "\"szEmailAddress\"=\"a\\\"b\""}},
        SavedCase{"older file replaced",
                  {true, "5", "1", "x"},
                  ',',
                  {{"agent.reg", "older"}, {"other.reg", "other"}},
                  {"REGEDIT4", "", kBriselHeader, "\"dwBrisel2ServerEnabled\"=dword:00000001", kForvelHeader,
                   "\"dwUpdateFailureTime\"=dword:0000EA60", "\"dwUpdateSuccessTime\"=dword:000493E0", kAgentHeader,
                   "\"szEmailAddress\"=\"x\""}}),
    testing::CaseName());

struct FailedCase {
  const char* what;
  const char* email;
  const char* fileName;
};

class FailedSaving : public Saving, public ::testing::WithParamInterface<FailedCase> {};

TEST_P(FailedSaving, TellsAndLeavesTheFolderAsItWas) {
  const FailedCase& c = GetParam();
  folder.put("agent.reg", "older");
  folder.putFolder("subfolder");
  const FolderContents before = folder.contents();
  openWith({true, "5", "1", c.email});
  save(c.fileName);
  EXPECT_EQ(view.messages,
            (std::vector<std::pair<std::string, std::string>>{{kFailureCaption, kFailureText}}));
  EXPECT_EQ(folder.contents(), before);
  EXPECT_EQ(agentValues(), registryBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedSaving,
                         ::testing::Values(FailedCase{"missing folder", "admin", "missing/agent.reg"},
                                           FailedCase{"name of a folder", "admin", "subfolder"},
                                           FailedCase{"line break in address", "a\r\nb", "agent.reg"},
                                           FailedCase{"tab in address", "a\tb", "agent.reg"}),
                         testing::CaseName());

TEST_F(MainWindowPresenting, DiagnoseOpensTheDiagnosticsWindowAndEndClosesTheWindow) {
  open();
  presenter->onDiagnoseClicked();
  presenter->onDiagnoseClicked();
  EXPECT_EQ(view.diagnosticsOpenings, 2);
  EXPECT_FALSE(view.closed);
  presenter->onEndClicked();
  EXPECT_TRUE(view.closed);
}

TEST(MainWindowEmailField, HoldsOnlyWhatTheRegistryCodePageCarries) {
  EXPECT_TRUE(MainWindowPresenter::mayHoldEmailText("M\xC3\xBCller@example.de \xE2\x82\xAC"));
  EXPECT_FALSE(MainWindowPresenter::mayHoldEmailText("\xCE\xA9mega@example.de"));
}

}  // namespace
}  // namespace marovel::forms
