// The random walk through the real marovel-config.exe under Wine, with real input (SendInput)
// from this program, which also plays the other program that takes the activation.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "diagnostics_window_form.h"
#include "main_window_form.h"
#include "main_window_walk.h"
#include "running_program.h"
#include "wide_text.h"
#include "win32_form.h"

namespace marovel::win32_ui {
namespace {

namespace walk = testing::walk;
using walk::Key;

// The middle of the close box, found where the window itself says it is.
std::optional<POINT> closeBoxOf(HWND window) {
  RECT area{}, box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  GetWindowRect(window, &area);
  for (int y = area.top; y < area.top + 48; ++y) {
    for (int x = area.right - 80; x < area.right; ++x) {
      if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
             std::max<LONG>(box.bottom, y)};
    }
  }
  if (box.left > box.right) return std::nullopt;
  return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

struct Windows {
  HWND messageBox = nullptr, saveDialog = nullptr, menu = nullptr, diagnostics = nullptr;
};

class Win32Driver : public walk::Driver {
 public:
  explicit Win32Driver(const testing::TempRegistry& store) : store_(store) {}

  void start() override {
    program_.reset();
    program_ = std::make_unique<RunningProgram>();
    settle();
  }
  bool waitForEnd() override { return program_->waitForExit() != -1; }

  // A main window gone means the program is ending: it is given the time to end.
  bool isRunning() override {
    if (!IsWindow(program_->mainWindow())) program_->waitForExit();
    return program_->isRunning();
  }

  void settle() override { program_->settle(); }

  int focused() override {
    HWND focus = program_->focused();
    if (!focus) return walk::kNone;
    if (GetParent(focus) != program_->mainWindow()) return walk::kElsewhere;
    return GetDlgCtrlID(focus) - Win32Form::kFirstControlId;
  }

  walk::Shown shown() override {
    using namespace forms::main_window;
    return {program_->isChecked(RelayCheck), program_->text(UpdateIntervalField), program_->text(RetryIntervalField),
            program_->text(EmailField)};
  }

  walk::Stored stored() override { return walk::storedIn(store_); }

  walk::Found look(bool opening) override {
    open_ = find();
    if (opening) {
      RunningProgram::waitUntil([&] {
        open_ = find();
        return open_.messageBox || open_.saveDialog || open_.diagnostics || !program_->isRunning();
      });
    }
    walk::Found found{open_.messageBox != nullptr,
                      {},
                      open_.saveDialog != nullptr,
                      open_.menu != nullptr,
                      open_.diagnostics != nullptr};
    if (open_.messageBox) {
      const ModalWindow box = RunningProgram::describe(open_.messageBox);
      found.messageTexts = box.texts;
      found.messageTexts.insert(found.messageTexts.begin(), box.caption);
    }
    return found;
  }

  void click(int control) override {
    program_->clickAt(pointOf(control));
    if (other_) cameBack();  // the click took the activation back
  }

  void press(Key key, char letter, walk::Modifiers modifiers) override {
    static constexpr WORD kKeys[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_HOME, VK_END, VK_DELETE, VK_UP, VK_F4};
    std::vector<WORD> held;
    if (modifiers.control) held.push_back(VK_CONTROL);
    if (modifiers.alt) held.push_back(VK_MENU);
    if (modifiers.shift) held.push_back(VK_SHIFT);
    program_->press(key == Key::Letter ? static_cast<WORD>(letter) : kKeys[static_cast<int>(key)], held);
  }

  // Characters typed in a row may still be on their way after the settling: the field is given
  // the time to show them all (the walk then checks that it does).
  void type(const std::string& characters) override {
    HWND field = program_->focused();
    program_->type(widen(characters));
    RunningProgram::waitUntil([&] { return windowText(field) == characters; });
  }
  void turnWheel(int control, int notches) override { program_->turnWheel(pointOf(control), notches); }

  bool clickCloseBox() override { return clickCloseBoxOf(program_->mainWindow()); }
  void pressAltF4() override { press(Key::F4, 0, {.alt = true}); }
  bool hasWindowMenu() override { return true; }

  void activateOtherProgram() override {
    other_ = CreateWindowExW(0, L"STATIC", L"Anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 200, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other_);
    RunningProgram::waitUntil([&] {
      MSG message{};
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      return GetForegroundWindow() == other_;
    });
    settle();
  }
  void comeBack() override {
    SetForegroundWindow(program_->mainWindow());
    cameBack();
  }

  void clickMessageOk() override { program_->click(GetDlgItem(open_.messageBox, IDOK)); }
  void clickDiagnosticsClose() override {
    program_->click(program_->control(forms::diagnostics_window::CloseButton, open_.diagnostics));
  }
  bool clickDiagnosticsCloseBox() override { return clickCloseBoxOf(open_.diagnostics); }
  void pressDiagnosticsAltF4() override { pressAltF4(); }

  bool waitUntilAnswered() override {
    for (HWND window : {open_.messageBox, open_.saveDialog, open_.diagnostics}) {
      if (window && !program_->waitUntilClosed(window)) return false;
    }
    return true;
  }

  ~Win32Driver() override {
    if (other_) DestroyWindow(other_);
  }

 private:
  Windows find() const {
    Windows found;
    for (HWND window : program_->windows()) {
      if (window == program_->mainWindow()) continue;
      const std::wstring kind = classOf(window);
      if (kind == L"#32768") {
        found.menu = window;
      } else if (windowText(window) == "Form2") {
        found.diagnostics = window;
      } else if (kind == L"#32770" && windowText(window) == forms::main_window::kApplicationTitle) {
        found.messageBox = window;
      } else if (kind == L"#32770") {
        found.saveDialog = window;
      }
    }
    return found;
  }

  // The middle of the control; the group box is hit inside its left edge, where no control lies.
  POINT pointOf(int control) const {
    RECT area{};
    GetWindowRect(program_->control(control), &area);
    const LONG x = control == forms::main_window::SettingsGroup ? area.left + 3 : (area.left + area.right) / 2;
    return {x, (area.top + area.bottom) / 2};
  }

  // The activation moves in its own time; keys sent before it arrives would go astray.
  void cameBack() {
    RunningProgram::waitUntil([&] { return GetForegroundWindow() == program_->mainWindow(); });
    DestroyWindow(other_);
    other_ = nullptr;
  }

  bool clickCloseBoxOf(HWND window) {
    const std::optional<POINT> box = closeBoxOf(window);
    if (box) program_->clickAt(*box);
    return box.has_value();
  }

  const testing::TempRegistry& store_;
  std::unique_ptr<RunningProgram> program_;
  Windows open_;
  HWND other_ = nullptr;
};

TEST(Walk, RealInputKeepsTheRulesOfTheMainWindow) {
  testing::TempRegistry store;
  testing::agent::seedInstalledAgent(store);
  Win32Driver driver(store);
  EXPECT_TRUE(walk::walkMainWindow(walk::planFromEnvironment(20261208, 300), driver));
}

}  // namespace
}  // namespace marovel::win32_ui
