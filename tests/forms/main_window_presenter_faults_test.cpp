// What the main window tells a user without rights, and a save that meets a full disk, a folder
// or a file it may not write: the registry, an older file and the folder stay as they were.
#include <gtest/gtest.h>

#include "case_name.h"
#include "main_window_presenting.h"
#include "posix_faults.h"

namespace marovel::forms {
namespace {

using testing::FolderContents;

TEST_F(MainWindowPresenting, TellsWhenTheSettingsMayNotBeWrittenAndThatApplyingDidNotTake) {
  seed({{kBriselKey, kRelay, 0}});
  store.refuseWrites();
  open();
  EXPECT_EQ(view.text(NoticeLabel), "\xC3\x84ndern nur als Administrator.");
  view.setChecked(RelayCheck, true);
  presenter->onApplyClicked();
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{0});
  EXPECT_EQ(view.text(NoticeLabel), kNotApplied);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(MainWindowPresenting, TellsThatADamagedStoreCannotBeRead) {
  seed({{kAgentKey, kEmail, "first%2Dlast@example.org"}});
  store.damage();
  open();
  EXPECT_EQ(view.text(NoticeLabel), "Agent-Einstellungen nicht lesbar.");
  EXPECT_EQ(view.text(EmailField), "");
  EXPECT_EQ(view.text(UpdateIntervalField), "-");
  EXPECT_TRUE(view.messages.empty());
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
