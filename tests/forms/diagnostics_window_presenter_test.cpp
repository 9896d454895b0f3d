// The diagnostics window's loading through a recording view: the update URL's e-mail parameter
// repaired and stored, every location in its own box, nothing created or retyped.
#include "diagnostics_window_presenter.h"

#include <gtest/gtest.h>

#include "agent_settings_schema.h"
#include "fake_views.h"
#include "temp_registry.h"

namespace marovel::forms {
namespace {

using namespace diagnostics_window;
using registry::SettingValue;
using settings::agentSetting;
using settings::AgentSettingRow;

class DiagnosticsLoading : public ::testing::Test {
 public:
  void put(AgentSettingRow row, const SettingValue& value) {
    const settings::AgentSetting& setting = agentSetting(row);
    const std::string key(setting.loadKey), name(setting.valueName);
    store.createKey(key);
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
      store.setDword(key, name, *number);
    } else {
      store.setText(key, name, std::get<std::string>(value));
    }
  }

  SettingValue stored(AgentSettingRow row) const {
    return store.value(std::string(agentSetting(row).loadKey), std::string(agentSetting(row).valueName));
  }

  // A new window, as every "&Diagnose" makes one.
  FakeDiagnosticsWindow open() {
    FakeDiagnosticsWindow view;
    DiagnosticsWindowPresenter(view).load();
    return view;
  }

  testing::TempRegistry store;
};

TEST_F(DiagnosticsLoading, ShowsAndStoresTheUpdateUrlWithItsEmailParameterRepaired) {
  const std::string host = "http://upd.example.com/?";  // 24 characters
  const std::pair<std::string, std::string> storedAndRepaired[] = {
      {host + "EmailAddress=first%2Dlast&lang=de", host + "EmailAddress=first-last&lang=de"},
      {host + "EmailAddress=first%2dlast&lang=de", host + "EmailAddress=first%2dlast&lang=de"},
      {host + "EmailAddress=first-last&lang=de", host + "EmailAddress=first-last&lang=de"},
      {"http://x/?EmailAddress=a%2Db&lang=de", "http://x/?EmailAddress=a%2Db&lang=de"},
      {host + "lang=de&EmailAddress=first%2Dlast", host + "lang=de&EmailAddress=first-last"},
      {host + "lang=de", host + "lang=de"},
      {"", ""},
      {host + "EmailAddress=j\xC3\xBCrgen%2Dm&lang=de", host + "EmailAddress=j\xC3\xBCrgen-m&lang=de"},
      {host + "<b>EmailAddress=a%2Db</b>&x", host + "<b>EmailAddress=a-b</b>&x"},
  };
  for (const auto& [url, repaired] : storedAndRepaired) {
    SCOPED_TRACE(url);
    put(AgentSettingRow::UpdateNowUrl, url);
    EXPECT_EQ(open().texts[UpdateUrlBox], repaired);
    EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(repaired));
  }
}

TEST_F(DiagnosticsLoading, ShowsEachLocationInItsOwnBoxAndReloadsOnEveryOpening) {
  put(AgentSettingRow::DranelUploadPath, std::string("https://reports.example/in"));
  put(AgentSettingRow::QuarantinePath, std::string("C:\\Qorvi\\Quarant\xC3\xA4ne"));
  put(AgentSettingRow::QuarantineUploadPath, std::string("https://quarantine.example/up"));
  put(AgentSettingRow::QuarantineSubmitUrl, std::string("<i>\\\\server\\submit</i>"));
  EXPECT_EQ(open().texts, (std::map<Control, std::string>{{UpdateUrlBox, ""},
                                                          {ReportUploadBox, "https://reports.example/in"},
                                                          {QuarantinePathBox, "C:\\Qorvi\\Quarant\xC3\xA4ne"},
                                                          {QuarantineUploadBox, "https://quarantine.example/up"},
                                                          {QuarantineSubmitBox, "<i>\\\\server\\submit</i>"}}));
  put(AgentSettingRow::QuarantinePath, std::string("D:\\elsewhere"));
  EXPECT_EQ(open().texts[QuarantinePathBox], "D:\\elsewhere");
}

TEST_F(DiagnosticsLoading, MissingValuesShowEmptyAndAreNotCreated) {
  store.createAgentKeys();
  EXPECT_EQ(open().texts, (std::map<Control, std::string>{{UpdateUrlBox, ""},
                                                          {ReportUploadBox, ""},
                                                          {QuarantinePathBox, ""},
                                                          {QuarantineUploadBox, ""},
                                                          {QuarantineSubmitBox, ""}}));
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue());
}

TEST_F(DiagnosticsLoading, ANumberInPlaceOfATextIsShownButNotRewrittenAsText) {
  put(AgentSettingRow::UpdateNowUrl, std::int32_t{42});
  put(AgentSettingRow::QuarantinePath, std::int32_t{-7});
  FakeDiagnosticsWindow view = open();
  EXPECT_EQ(view.texts[UpdateUrlBox], "42");
  EXPECT_EQ(view.texts[QuarantinePathBox], "-7");
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(std::int32_t{42}));
}

TEST_F(DiagnosticsLoading, AUserWhoMayOnlyReadSeesTheLocationsAndTheRepairIsNotStored) {
  const std::string host = "http://upd.example.com/?";
  put(AgentSettingRow::UpdateNowUrl, host + "EmailAddress=a%2Db&lang=de");
  put(AgentSettingRow::QuarantinePath, std::string("C:\\Quarant\xC3\xA4ne"));
  store.refuseWrites();
  FakeDiagnosticsWindow view = open();
  EXPECT_EQ(view.texts[UpdateUrlBox], host + "EmailAddress=a-b&lang=de");
  EXPECT_EQ(view.texts[QuarantinePathBox], "C:\\Quarant\xC3\xA4ne");
  EXPECT_EQ(stored(AgentSettingRow::UpdateNowUrl), SettingValue(host + "EmailAddress=a%2Db&lang=de"));
}

TEST_F(DiagnosticsLoading, TheButtonClosesTheWindow) {
  FakeDiagnosticsWindow view;
  DiagnosticsWindowPresenter presenter(view);
  presenter.load();
  EXPECT_FALSE(view.closed);
  presenter.onCloseClicked();
  EXPECT_TRUE(view.closed);
}

}  // namespace
}  // namespace marovel::forms
