// Applying the edited settings, and what the read-back then tells.
#include "edited_settings.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "status_notice.h"
#include "temp_registry.h"

namespace marovel::forms {
namespace {

using registry::SettingValue;
using namespace testing::agent;

struct ApplyCase {
  const char* what;
  bool briselKey, forvelKey;
  EditedSettings settings;
  StatusNotice notice;
};

class ApplyAndReadBack : public ::testing::TestWithParam<ApplyCase> {};

// What the notice says after applying, from what the registry holds then.
TEST_P(ApplyAndReadBack, TellsWhetherTheRegistryTookTheSettings) {
  const ApplyCase& c = GetParam();
  testing::TempRegistry store;
  store.createKey(kAgentKey);
  if (c.briselKey) store.createKey(kBriselKey);
  if (c.forvelKey) store.createKey(kForvelKey);
  applyEditedSettings(c.settings, ',');
  EXPECT_EQ(noticeAfterApplying(registryHolds(c.settings, ',')), c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyAndReadBack,
    ::testing::Values(
        ApplyCase{"all taken", true, true, {true, "1440", "360", "admin@example.org"}, StatusNotice::Ready},
        ApplyCase{"no number", true, true, {false, "abc", "360", ""}, StatusNotice::NotApplied},
        ApplyCase{"overflowing minutes", true, true, {false, "1e9", "-", ""}, StatusNotice::NotApplied},
        ApplyCase{"nothing to delete", true, false, {false, "-", "-", ""}, StatusNotice::AgentKeysMissing},
        ApplyCase{"interval key missing", true, false, {false, "5", "-", ""}, StatusNotice::NotApplied},
        ApplyCase{"relay key missing", false, true, {false, "-", "-", ""}, StatusNotice::NotApplied}),
    testing::CaseName());

struct LoadNoticeCase {
  const char* what;
  bool agentKeys;
  LONG failedRead;
  StatusNotice notice;
};

class LoadNotice : public ::testing::TestWithParam<LoadNoticeCase> {};

// "geladen" only when the reads succeeded; rights are blamed only for a denial.
TEST_P(LoadNotice, TellsWhatTheReadsAndTheKeysSay) {
  const LoadNoticeCase& c = GetParam();
  testing::TempRegistry store;
  if (c.agentKeys) store.createAgentKeys();
  EXPECT_EQ(noticeAfterLoading(c.failedRead), c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadNotice,
    ::testing::Values(LoadNoticeCase{"all read", true, ERROR_SUCCESS, StatusNotice::Ready},
                      LoadNoticeCase{"read denied", true, ERROR_ACCESS_DENIED, StatusNotice::NoWriteAccess},
                      LoadNoticeCase{"damaged", true, ERROR_BADDB, StatusNotice::Unreadable},
                      LoadNoticeCase{"read failed", true, ERROR_REGISTRY_IO_FAILED, StatusNotice::Unreadable},
                      LoadNoticeCase{"keys missing", false, ERROR_SUCCESS, StatusNotice::AgentKeysMissing},
                      LoadNoticeCase{"keys missing and damaged", false, ERROR_BADDB, StatusNotice::Unreadable}),
    testing::CaseName());

TEST(ApplyEditedSettings, LeavesOutOnlyTheIntervalThatIsNoNumber) {
  testing::TempRegistry store;
  store.createAgentKeys();
  store.setDword(kForvelKey, kSuccess, 60000);
  applyEditedSettings({true, "abc", "2,5", "x"}, ',');
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{1});
  EXPECT_EQ(store.value(kForvelKey, kSuccess), SettingValue{60000});
  EXPECT_EQ(store.value(kForvelKey, kFailure), SettingValue{120000});  // ties to even
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{"x"});
}

}  // namespace
}  // namespace marovel::forms
