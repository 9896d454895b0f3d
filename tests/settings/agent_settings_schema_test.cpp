#include "agent_settings_schema.h"

#include <gtest/gtest.h>

namespace marovel::settings {
namespace {

TEST(AgentSettingsSchema, RowsAreInTheirOwnPlacesAndTypedByTheirPrefix) {
  for (std::size_t i = 0; i < AgentSettingsSchema.size(); ++i) {
    const AgentSetting& setting = AgentSettingsSchema[i];
    EXPECT_EQ(static_cast<std::size_t>(setting.row), i + 1);
    EXPECT_EQ(&agentSetting(setting.row), &setting);
    EXPECT_EQ(setting.type, setting.valueName.starts_with("dw") ? kRegDword : kRegSz) << setting.valueName;
  }
}

TEST(AgentSettingsSchema, KeepsEachUsesLetterCase) {
  const AgentSetting& relay = agentSetting(AgentSettingRow::RelayServerEnabled);
  EXPECT_EQ(relay.loadKey, "Software\\Qorvi\\Agent\\SubSystems\\Brisel\\configuration");
  EXPECT_EQ(relay.writeKey, relay.loadKey);
  EXPECT_EQ(relay.exportKey, "Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration");
  for (auto row : {AgentSettingRow::UpdateFailureTime, AgentSettingRow::UpdateSuccessTime}) {
    EXPECT_EQ(agentSetting(row).loadKey, "Software\\Qorvi\\Agent\\SubSystems\\forvel\\configuration");
    EXPECT_EQ(agentSetting(row).writeKey, "Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration");
    EXPECT_EQ(agentSetting(row).exportKey, agentSetting(row).writeKey);
  }
  EXPECT_EQ(agentSetting(AgentSettingRow::UpdateNowUrl).loadKey,
            "Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration");
  EXPECT_EQ(agentSetting(AgentSettingRow::QuarantineSubmitUrl).valueName, "szSubmitURL");
}

}  // namespace
}  // namespace marovel::settings
