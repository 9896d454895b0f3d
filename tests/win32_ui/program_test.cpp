// marovel-config.exe itself, under Wine, driven from outside with real input on an agent seeded
// in the 32-bit registry view: it loads, refuses, applies, saves and diagnoses as the Qt program
// does.
#include <gtest/gtest.h>

#include <functional>

#include "case_name.h"
#include "diagnostics_window_form.h"
#include "main_window_form.h"
#include "running_program.h"
#include "temp_registry.h"
#include "test_folder.h"
#include "windows_command.h"
#include "wide_text.h"

namespace marovel::win32_ui {
namespace {

using namespace forms::main_window;
using namespace testing::agent;
using registry::SettingValue;

// The common save dialog's controls, as dlgs.h numbers them.
constexpr int kFileTypeList = 0x470;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

class Program : public ::testing::Test {
 public:
  testing::TempRegistry store;
};

TEST_F(Program, LoadsTheAgentsSettingsFromThe32BitView) {
  seedInstalledAgent(store);
  RunningProgram program;
  EXPECT_TRUE(program.isChecked(RelayCheck));
  EXPECT_EQ(program.text(UpdateIntervalField), "1440");
  EXPECT_EQ(program.text(RetryIntervalField), "1,5");
  EXPECT_EQ(program.text(EmailField), "first-last@example.org");
  EXPECT_EQ(program.text(NoticeLabel), "Agent-Einstellungen geladen.");
  EXPECT_EQ(program.focused(), program.control(RelayCheck));
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{std::string("first-last@example.org")});
}

TEST_F(Program, DoesNotSeeWhatLiesOnlyInThe64BitView) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Qorvi\\Agent", 0, nullptr, 0,
                            KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t address[] = L"only64@example.org";
  RegSetValueExW(key, L"szEmailAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(address), sizeof address);
  RegCloseKey(key);
  RunningProgram program;
  EXPECT_EQ(program.text(EmailField), "");
  EXPECT_EQ(program.text(NoticeLabel), "Agent-Einstellungen fehlen.");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Qorvi");  // the 64-bit view's
}

struct RefusedCase {
  const char* what;
  std::function<void(const RunningProgram&)> act;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.what; }

class RefusedInterval : public Program, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedInterval, IsToldAndTheActionDoesNotHappen) {
  seedInstalledAgent(store);
  RunningProgram program;
  program.setText(UpdateIntervalField, "0");
  program.click(UpdateIntervalField);
  ASSERT_TRUE(RunningProgram::waitUntil([&] { return program.focused() == program.control(UpdateIntervalField); }));
  GetParam().act(program);
  const ModalWindow box = program.waitForModal();
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, "Marovel Configuration Manager");
  EXPECT_EQ(box.texts, std::vector<std::string>{"Bitte eine Zahl zwischen 1 und 1440 oder - eingeben!"});
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(box.showsIcon);
  program.press(VK_RETURN);
  ASSERT_TRUE(program.waitUntilClosed(box.window));
  EXPECT_TRUE(RunningProgram::waitUntil([&] { return program.focused() == program.control(UpdateIntervalField); }));
  EXPECT_EQ(program.text(UpdateIntervalField), "0");
  EXPECT_TRUE(IsWindow(program.mainWindow()));
  EXPECT_EQ(store.value(kForvelKey, kSuccess), SettingValue{86400000});  // nothing applied
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedInterval,
    ::testing::Values(RefusedCase{"click on apply", [](const RunningProgram& p) { p.click(ApplyButton); }},
                      RefusedCase{"Tab", [](const RunningProgram& p) { p.press(VK_TAB); }},
                      RefusedCase{"Alt N", [](const RunningProgram& p) { p.press('N', {VK_MENU}); }},
                      RefusedCase{"Alt B", [](const RunningProgram& p) { p.press('B', {VK_MENU}); }}),
    testing::CaseName());

TEST_F(Program, AppliesWhatItShowsAndDeletesForAHyphen) {
  seedInstalledAgent(store);
  RunningProgram program;
  program.click(RelayCheck);
  ASSERT_TRUE(RunningProgram::waitUntil([&] { return !program.isChecked(RelayCheck); }));
  program.setText(RetryIntervalField, "-");
  program.setText(UpdateIntervalField, "360");
  program.click(ApplyButton);
  ASSERT_TRUE(RunningProgram::waitUntil([&] { return store.value(kBriselKey, kRelay) == SettingValue{0}; }));
  EXPECT_EQ(store.value(kForvelKey, kFailure), SettingValue{});
  EXPECT_EQ(store.value(kForvelKey, kSuccess), SettingValue{21600000});
  EXPECT_EQ(program.text(NoticeLabel), "Agent-Einstellungen geladen.");
}

TEST_F(Program, EnterAndEscDoNothingAndAltBEndsIt) {
  seedInstalledAgent(store);
  RunningProgram program;
  // Input is handled in order: what a later key does shows that the earlier ones were handled.
  program.click(RelayCheck);  // off now
  for (WORD key : {VK_RETURN, VK_ESCAPE}) program.press(key);
  program.click(ApplyButton);
  ASSERT_TRUE(RunningProgram::waitUntil([&] { return store.value(kBriselKey, kRelay) == SettingValue{0}; }));
  store.setDword(kBriselKey, kRelay, 7);
  for (WORD key : {VK_RETURN, VK_ESCAPE}) program.press(key);
  program.press('B', {VK_MENU});
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{7});
}

// The save dialog as the presenter asks for it, answered with a name typed without extension.
TEST_F(Program, SavesTheWindowsBytesAndRegImportsThemAsApplyingWrites) {
  seedInstalledAgent(store);
  testing::TestFolder folder;
  RunningProgram program;
  program.setText(RetryIntervalField, "-");
  program.click(SaveButton);
  const ModalWindow dialog = program.waitForModal();
  ASSERT_NE(dialog.window, nullptr);
  const HWND typeList = GetDlgItem(dialog.window, kFileTypeList);
  HWND nameField = GetDlgItem(dialog.window, kFileNameCombo);
  if (!nameField) nameField = GetDlgItem(dialog.window, kFileNameEdit);
  ASSERT_NE(nameField, nullptr);
  EXPECT_TRUE(RunningProgram::waitUntil([&] { return !windowText(nameField).empty(); }));
  EXPECT_EQ(windowText(nameField), "*.reg");
  EXPECT_EQ(windowText(typeList), "REG (*.reg)");
  const std::wstring chosen = folder.path("agent").wstring();
  SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
  PostMessageW(dialog.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(program.waitUntilClosed(dialog.window));
  ASSERT_TRUE(RunningProgram::waitUntil([&] { return folder.contents().contains("agent.reg"); }));
  EXPECT_EQ(folder.contents(),
            (testing::FolderContents{
                {"agent.reg",
                 "REGEDIT4\r\n\r\n"
                 "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration]\r\n"
                 "\"dwBrisel2ServerEnabled\"=dword:00000001\r\n"
                 "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration]\r\n"
                 "\"dwUpdateFailureTime\"=-\r\n"
                 "\"dwUpdateSuccessTime\"=dword:05265C00\r\n"
                 "[HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent]\r\n"
                 "\"szEmailAddress\"=\"first-last@example.org\"\r\n"}}));

  store.clear();
  store.createAgentKeys();
  store.setDword(kForvelKey, kFailure, 7);
  ASSERT_EQ(testing::runCommand(L"reg.exe import \"" + folder.path("agent.reg").wstring() + L"\" /reg:32"), 0);
  EXPECT_EQ(store.value(kBriselKey, kRelay), SettingValue{1});
  EXPECT_EQ(store.value(kForvelKey, kFailure), SettingValue{});
  EXPECT_EQ(store.value(kForvelKey, kSuccess), SettingValue{86400000});
  EXPECT_EQ(store.value(kAgentKey, kEmail), SettingValue{std::string("first-last@example.org")});
}

TEST_F(Program, DiagnoseOpensAModalWindowThatRepairsAndShowsTheUpdateUrl) {
  seedInstalledAgent(store);
  store.setText(kForvelKey, "szUpdateNowURL", "http://upd.example.com/?EmailAddress=first%2Dlast&lang=de");
  RunningProgram program;
  program.click(DiagnoseButton);
  const HWND diagnostics = program.waitForWindow(L"Form2");
  ASSERT_NE(diagnostics, nullptr);
  using namespace forms::diagnostics_window;
  EXPECT_TRUE(RunningProgram::waitUntil([&] { return !program.text(UpdateUrlBox, diagnostics).empty(); }));
  EXPECT_EQ(program.text(UpdateUrlBox, diagnostics), "http://upd.example.com/?EmailAddress=first-last&lang=de");
  EXPECT_EQ(store.value(kForvelKey, "szUpdateNowURL"),
            SettingValue{std::string("http://upd.example.com/?EmailAddress=first-last&lang=de")});
  EXPECT_FALSE(IsWindowEnabled(program.mainWindow()));
  program.click(program.control(CloseButton, diagnostics));
  ASSERT_TRUE(program.waitUntilClosed(diagnostics));
  EXPECT_TRUE(RunningProgram::waitUntil([&] { return IsWindowEnabled(program.mainWindow()) != FALSE; }));

  program.click(program.control(DiagnoseButton));  // afresh
  const HWND again = program.waitForWindow(L"Form2");
  ASSERT_NE(again, nullptr);
  program.press(VK_F4, {VK_MENU});
  EXPECT_TRUE(program.waitUntilClosed(again));
}

}  // namespace
}  // namespace marovel::win32_ui
