// What the main window shows a real user without rights and after a damaged store, and a save
// that meets a full disk, a folder or a file it may not write: the registry, an older file and
// the folder stay as they were.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "case_name.h"
#include "child_process.h"
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
// windows show what is stored, and nothing reaches the store.
TEST(ReadOnlyUser, SeesTheStoredSettingsInBothWindows) {
  testing::TempRegistry store;
  seedInstalledAgent(store);
  store.setText(kForvelKey, "szUpdateNowURL", "https://update.example.org/?EmailAddress=a%2Db@example.org&x=1");
  store.createKey("Software\\Qorvi\\Quarantine");
  store.setText("Software\\Qorvi\\Quarantine", "szQuarantinePath", "C:\\Quarant\xC3\xA4ne");
  const std::filesystem::path folder = std::filesystem::path(std::getenv("MAROVEL_REGISTRY")).parent_path();
  ASSERT_EQ(chmod(folder.c_str(), 0755), 0);

  ChildProcess user({READ_ONLY_USER});
  std::vector<std::string> shown;
  while (auto line = user.readLine()) shown.push_back(*line);
  EXPECT_EQ(user.wait(), 0);
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "relay=1", "update=1440", "retry=1,5", "email=first-last@example.org",
                       "notice=\xC3\x84ndern nur als Administrator.", "applied=" + kNotApplied,
                       "updateUrl=https://update.example.org/?EmailAddress=a-b@example.org&x=1",
                       "quarantinePath=C:\\Quarant\xC3\xA4ne"}));
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{1});
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{"first%2Dlast@example.org"});
  EXPECT_EQ(store.value(kForvelKey, "szUpdateNowURL"),
            SettingValue{"https://update.example.org/?EmailAddress=a%2Db@example.org&x=1"});
}

// The notice above would follow from the key probe alone; the reads report their own failure.
TEST(LoadingEditedSettings, GivesTheFirstReadThatFailed) {
  testing::TempRegistry store;
  store.createAgentKeys();
  store.damage();
  EXPECT_EQ(loadEditedSettings(',').failedRead, ERROR_BADDB);
}

enum class Fault { SizeLimit, UnwritableFolder, ReadOnlyFile };

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
    if (c.fault == Fault::UnwritableFolder) testing::makeUnwritable(folder.root());
    if (c.fault == Fault::ReadOnlyFile) testing::giveToNobody(folder.path("agent.reg"), testing::NobodysFile::ReadOnlyInTheirFolder);
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
                      FaultCase{"unwritable folder keeps older file", Fault::UnwritableFolder, {{"agent.reg", "older"}}},
                      FaultCase{"read-only file", Fault::ReadOnlyFile, {{"agent.reg", "older"}}}),
    testing::CaseName());

}  // namespace
}  // namespace marovel::forms
