#include "edited_settings.h"

#include <gtest/gtest.h>

#include "status_notice.h"
#include "case_name.h"
#include "temp_registry.h"

namespace marovel::main_window {
namespace {

using registry::SettingValue;
using testing::kAgentKey;
using testing::kBriselKey;
using testing::kForvelKey;

struct KeysPresent {
  bool agent = true, brisel = true, forvel = true;
};

void createKeys(testing::TempRegistry& registry, KeysPresent keys) {
  if (keys.agent) registry.createKey(kAgentKey);
  if (keys.brisel) registry.createKey(kBriselKey);
  if (keys.forvel) registry.createKey(kForvelKey);
}

struct HoldsCase {
  const char* what;
  KeysPresent keys;
  EditedSettings settings;
  bool holds;
};

class ApplyAndReadBack : public ::testing::TestWithParam<HoldsCase> {};

TEST_P(ApplyAndReadBack, TellsWhetherTheRegistryTookTheSettings) {
  const HoldsCase& c = GetParam();
  testing::TempRegistry registry;
  createKeys(registry, c.keys);
  applyEditedSettings(c.settings, ',');
  EXPECT_EQ(registryHolds(c.settings, ','), c.holds);
  EXPECT_EQ(noticeAfterApplying(c.holds) == StatusNotice::NotApplied, !c.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyAndReadBack,
    ::testing::Values(HoldsCase{"all set", {}, {true, "1440", "360", "admin@example.org"}, true},
                      HoldsCase{"all cleared", {}, {false, "-", "-", ""}, true},
                      HoldsCase{"rounded minutes", {}, {false, "1,5", "2,5", ""}, true},
                      HoldsCase{"no number", {}, {false, "abc", "360", ""}, false},
                      HoldsCase{"overflowing minutes", {}, {false, "1e9", "-", ""}, false},
                      HoldsCase{"nothing to delete", {.forvel = false}, {false, "-", "-", ""}, true},
                      HoldsCase{"interval key missing", {.forvel = false}, {false, "5", "-", ""}, false},
                      HoldsCase{"relay key missing", {.brisel = false}, {true, "-", "-", ""}, false},
                      HoldsCase{"no agent keys", {false, false, false}, {false, "-", "-", "a@b"}, false}),
    testing::CaseName());

TEST(ApplyEditedSettings, LeavesOutOnlyTheIntervalThatIsNoNumber) {
  testing::TempRegistry registry;
  registry.createAgentKeys();
  registry.setDword(kForvelKey, "dwUpdateSuccessTime", 60000);
  applyEditedSettings({true, "abc", "2,5", "x"}, ',');
  EXPECT_EQ(registry.value(kBriselKey, "dwBrisel2ServerEnabled"), SettingValue{1});
  EXPECT_EQ(registry.value(kForvelKey, "dwUpdateSuccessTime"), SettingValue{60000});
  EXPECT_EQ(registry.value(kForvelKey, "dwUpdateFailureTime"), SettingValue{120000});  // ties to even
  EXPECT_EQ(registry.value(kAgentKey, "szEmailAddress"), SettingValue{"x"});
}

TEST(LoadEditedSettings, CreatesNothingWithoutTheAgentKey) {
  testing::TempRegistry registry;
  registry.createKey("Software\\Qorvi");
  EXPECT_EQ(loadEditedSettings('.').emailAddress, "");
  EXPECT_FALSE(registry.keyExists(kAgentKey));
}

struct ProbeCase {
  KeysPresent keys;
  bool writesRefused;
  StatusNotice expected;
};

class ProbeAgentKeys : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeAgentKeys, SaysWhetherTheSettingsCanBeWritten) {
  const ProbeCase& c = GetParam();
  testing::TempRegistry registry;
  createKeys(registry, c.keys);
  if (c.writesRefused) registry.refuseWrites();
  EXPECT_EQ(probeAgentKeys(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProbeAgentKeys,
                         ::testing::Values(ProbeCase{{}, false, StatusNotice::Ready},
                                           ProbeCase{{}, true, StatusNotice::NoWriteAccess},
                                           ProbeCase{{.forvel = false}, false, StatusNotice::AgentKeysMissing},
                                           ProbeCase{{false, false, false}, false, StatusNotice::AgentKeysMissing}));

}  // namespace
}  // namespace marovel::main_window
