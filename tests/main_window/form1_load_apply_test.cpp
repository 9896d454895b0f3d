#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "case_name.h"
#include "form1_fixture.h"

namespace marovel::main_window {
namespace {

using registry::SettingValue;
using namespace testing::agent;


struct Stored {
  const char* key;
  const char* name;
  SettingValue value;
};

void seed(testing::TempRegistry& store, const std::vector<Stored>& values) {
  store.createAgentKeys();
  for (const Stored& stored : values) {
    if (const auto* text = std::get_if<std::string>(&stored.value)) {
      store.setText(stored.key, stored.name, *text);
    } else {
      store.setDword(stored.key, stored.name, std::get<std::int32_t>(stored.value));
    }
  }
}

QString noticeText(StatusNotice notice) { return QString::fromUtf8(statusNoticeText(notice).data()); }

struct LoadCase {
  const char* what;
  std::vector<Stored> stored;
  bool german;
  bool relay;
  const char* updateInterval;  // Text1(2)
  const char* retryInterval;   // Text1(3)
  const char* email;
};

class Loading : public Form1Fixture, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, ShowsTheStoredSettings) {
  const LoadCase& c = GetParam();
  seed(store, c.stored);
  open(c.german ? kGerman : kEnglish);
  EXPECT_EQ(control<QCheckBox>("Check1(1)")->isChecked(), c.relay);
  EXPECT_EQ(control<QLineEdit>("Text1(2)")->text(), c.updateInterval);
  EXPECT_EQ(control<QLineEdit>("Text1(3)")->text(), c.retryInterval);
  EXPECT_EQ(control<QLineEdit>("Text2")->text(), c.email);
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{std::string(c.email)});  // written back repaired
  EXPECT_EQ(control<QLabel>("Label4")->text(), noticeText(StatusNotice::Ready));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Loading,
    ::testing::Values(
        LoadCase{"nothing stored", {}, true, false, "-", "-", ""},
        LoadCase{"relay 0", {{kBriselKey, kRelay, 0}}, true, false, "-", "-", ""},
        LoadCase{"relay 1", {{kBriselKey, kRelay, 1}}, true, true, "-", "-", ""},
        LoadCase{"relay 2", {{kBriselKey, kRelay, 2}}, true, false, "-", "-", ""},
        LoadCase{"whole minutes",
                 {{kForvelKey, kSuccess, 86400000}, {kForvelKey, kFailure, 21600000}},
                 true, false, "1440", "360", ""},
        LoadCase{"zero is none", {{kForvelKey, kSuccess, 0}, {kForvelKey, kFailure, 0}}, true, false, "-", "-", ""},
        LoadCase{"german fraction", {{kForvelKey, kFailure, 90000}}, true, false, "-", "1,5", ""},
        LoadCase{"english fraction", {{kForvelKey, kFailure, 90000}}, false, false, "-", "1.5", ""},
        LoadCase{"fifteen digits", {{kForvelKey, kFailure, 100000}}, true, false, "-", "1,66666666666667", ""},
        LoadCase{"encoded hyphen", {{kAgentKey, kEmail, "first%2Dlast@example.org"}}, true, false, "-", "-",
                 "first-last@example.org"},
        LoadCase{"lower case code stays", {{kAgentKey, kEmail, "a%2db"}}, true, false, "-", "-", "a%2db"},
        LoadCase{"numbers as text",
                 {{kBriselKey, kRelay, "1"}, {kForvelKey, kFailure, "90000"}, {kForvelKey, kSuccess, " 60000 "}},
                 false, true, "1", "1.5", ""},
        LoadCase{"other text as none",
                 {{kBriselKey, kRelay, "yes"}, {kForvelKey, kFailure, "abc"}, {kForvelKey, kSuccess, ""}},
                 true, false, "-", "-", ""}),
    testing::CaseName());

TEST_F(Form1Fixture, TellsWhenTheAgentKeysAreMissing) {
  open();
  EXPECT_EQ(control<QLabel>("Label4")->text(), noticeText(StatusNotice::AgentKeysMissing));
  EXPECT_FALSE(store.keyExists(kAgentKey));
}

TEST_F(Form1Fixture, TellsWhenTheSettingsMayNotBeWritten) {
  seed(store, {});
  store.refuseWrites();
  open();
  EXPECT_EQ(control<QLabel>("Label4")->text(), noticeText(StatusNotice::NoWriteAccess));
}

struct ApplyCase {
  const char* what;
  bool relay;
  const char* updateInterval;  // Text1(2)
  const char* retryInterval;   // Text1(3)
  const char* email;
  SettingValue storedRelay, storedSuccess, storedFailure, storedEmail;
};

class Applying : public Form1Fixture, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(Applying, WritesWhatTheWindowShows) {
  const ApplyCase& c = GetParam();
  seed(store, {{kBriselKey, kRelay, 1}, {kForvelKey, kSuccess, 60000}, {kForvelKey, kFailure, 60000},
               {kAgentKey, kEmail, "old@example.org"}});
  open();
  control<QCheckBox>("Check1(1)")->setChecked(c.relay);
  control<QLineEdit>("Text1(2)")->setText(c.updateInterval);
  control<QLineEdit>("Text1(3)")->setText(c.retryInterval);
  control<QLineEdit>("Text2")->setText(c.email);
  control("Text2")->setFocus();
  for (int round = 0; round < 2; ++round) {  // applying again changes nothing
    click("Command2");
    EXPECT_EQ(store.value(kBriselKey, kRelay), c.storedRelay);
    EXPECT_EQ(store.value(kForvelKey, kSuccess), c.storedSuccess);
    EXPECT_EQ(store.value(kForvelKey, kFailure), c.storedFailure);
    EXPECT_EQ(store.value(kAgentKey, kEmail), c.storedEmail);
    EXPECT_EQ(control<QLabel>("Label4")->text(), noticeText(StatusNotice::Ready));
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(control<QLineEdit>("Text1(2)")->text(), c.updateInterval);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Applying,
    ::testing::Values(ApplyCase{"set", true, "1440", "360", "new@example.org", 1, 86400000, 21600000,
                                "new@example.org"},
                      ApplyCase{"cleared", false, "-", "-", "", 0, {}, {}, "old@example.org"},
                      ApplyCase{"rounded", false, "2,5", "1,5", "x", 0, 120000, 120000, "x"}),
    testing::CaseName());

TEST_F(Form1Fixture, KeepsAnAddressLongerThanALineEditsDefaultLimit) {
  const std::string longAddress(40000, 'a');
  seed(store, {{kAgentKey, kEmail, longAddress}});
  open();
  EXPECT_EQ(control<QLineEdit>("Text2")->text().size(), 40000);
  click("Command2");
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{longAddress});
}

TEST_F(Form1Fixture, TellsWhenARefusedWriteLeftTheSettingsUnapplied) {
  seed(store, {{kBriselKey, kRelay, 0}});
  store.refuseWrites();
  open();
  control<QCheckBox>("Check1(1)")->setChecked(true);
  click("Command2");
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{0});
  EXPECT_EQ(control<QLabel>("Label4")->text(), noticeText(StatusNotice::NotApplied));
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace marovel::main_window
