// What the main window shows a real user without rights and after a damaged store, and a save
// that meets a full disk or a folder it may not write: the registry, an older file and the
// folder stay as they were.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "case_name.h"
#include "child_process.h"
#include "diagnostics_window_presenter.h"
#include "main_window_presenting.h"
#include "posix_faults.h"

namespace marovel::forms {
namespace {

using testing::FolderContents;

TEST_F(MainWindowPresenting, TellsThatADamagedStoreCannotBeRead) {
  seed({{kAgentKey, kEmail, "first%2Dlast@example.org"}});
  store.damage();
  open();
  EXPECT_EQ(view.text(NoticeLabel), "Agent-Einstellungen nicht lesbar.");
  EXPECT_EQ(view.text(EmailField), "");
  EXPECT_EQ(view.text(UpdateIntervalField), "-");
  EXPECT_TRUE(view.messages.empty());
}

// A real user without rights on a store only root may change, as the packaged one is: both
// windows show what is stored, and applying does not take. The windows open as "nobody" in a
// process of their own, this test again, so that no store opened with root's rights is reused.
TEST(ReadOnlyUser, SeesTheStoredSettingsInBothWindows) {
  if (std::getenv("MAROVEL_AS_READER") != nullptr) {
    testing::WithoutRootRights nobody;
    FakeMainWindow main;
    MainWindowPresenter presenter(main, ',');
    presenter.load();
    EXPECT_TRUE(main.isChecked(RelayCheck));
    EXPECT_EQ(main.text(UpdateIntervalField) + " " + main.text(RetryIntervalField), "1440 1,5");
    EXPECT_EQ(main.text(EmailField), "first-last@example.org");
    EXPECT_EQ(main.text(NoticeLabel), "\xC3\x84ndern nur als Administrator.");
    main.setChecked(RelayCheck, false);
    presenter.onApplyClicked();
    EXPECT_EQ(main.text(NoticeLabel), kNotApplied);
    FakeDiagnosticsWindow diagnostics;
    DiagnosticsWindowPresenter(diagnostics).load();
    EXPECT_EQ(diagnostics.texts[diagnostics_window::UpdateUrlBox], "https://update.example.org/?EmailAddress=a-b&x=1");
    EXPECT_EQ(diagnostics.texts[diagnostics_window::QuarantinePathBox], "C:\\Quarant\xC3\xA4ne");
    return;
  }
  testing::TempRegistry store;
  seedInstalledAgent(store);
  store.setText(kForvelKey, "szUpdateNowURL", "https://update.example.org/?EmailAddress=a%2Db&x=1");
  store.createKey("Software\\Qorvi\\Quarantine");
  store.setText("Software\\Qorvi\\Quarantine", "szQuarantinePath", "C:\\Quarant\xC3\xA4ne");
  ASSERT_EQ(chmod(std::filesystem::path(std::getenv("MAROVEL_REGISTRY")).parent_path().c_str(), 0755), 0);
  setenv("MAROVEL_AS_READER", "1", 1);
  ChildProcess user({"/proc/self/exe", "--gtest_filter=ReadOnlyUser.SeesTheStoredSettingsInBothWindows"});
  unsetenv("MAROVEL_AS_READER");
  std::string shown;
  while (auto line = user.readLine()) shown += *line + "\n";
  EXPECT_TRUE(user.wait() == 0 && shown.find("[  PASSED  ] 1 test.") != std::string::npos) << shown;
}

// The notice above would follow from the key probe alone; the reads report their own failure.
TEST(LoadingEditedSettings, GivesTheFirstReadThatFailed) {
  testing::TempRegistry store;
  store.createAgentKeys();
  store.damage();
  EXPECT_EQ(loadEditedSettings(',').failedRead, ERROR_BADDB);
}

enum class Fault { SizeLimit, UnwritableFolder };

struct FaultCase {
  const char* what;
  Fault fault;
  FolderContents before;
};

class SavingMeetsAFault : public Saving, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SavingMeetsAFault, TellsAndKeepsEveryFile) {
  const FaultCase& c = GetParam();
  for (const auto& [name, bytes] : c.before) folder.put(name, bytes);
  const std::string longAddress(70000, 'a');  // more than the limit lets through
  openWith({true, "5", "1", longAddress.c_str()});
  if (c.fault == Fault::SizeLimit) {
    testing::FileSizeLimit limit(64 * 1024);
    save("agent.reg");
  } else {
    testing::makeUnwritable(folder.root());
    testing::WithoutRootRights nobody;
    save("agent.reg");
  }
  EXPECT_EQ(view.messages,
            (std::vector<std::pair<std::string, std::string>>{{kFailureCaption, kFailureText}}));
  EXPECT_EQ(folder.contents(), c.before);
  EXPECT_EQ(agentValues(), registryBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavingMeetsAFault,
    ::testing::Values(FaultCase{"full disk", Fault::SizeLimit, {}},
                      FaultCase{"full disk keeps older file", Fault::SizeLimit, {{"agent.reg", "older"}}},
                      FaultCase{"unwritable folder", Fault::UnwritableFolder, {}},
                      FaultCase{"unwritable folder keeps older file", Fault::UnwritableFolder, {{"agent.reg", "older"}}}),
    testing::CaseName());

}  // namespace
}  // namespace marovel::forms
