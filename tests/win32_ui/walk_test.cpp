// The random walk through the real marovel-config.exe under Wine, with real input (SendInput)
// from this program, which also plays the other program that takes the activation.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

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

class Win32Driver : public walk::Driver {
 public:
  void start() override {
    program_.reset();
    program_ = std::make_unique<RunningProgram>();
    settle();
  }
  // A main window gone means the program is ending: it is given the time to end.
  bool hasEnded(bool waiting) override {
    if (waiting || !IsWindow(program_->mainWindow())) program_->waitForExit();
    return !program_->isRunning();
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

  walk::Found look(bool opening) override {
    walk::Found found = find();
    if (opening) {
      RunningProgram::waitUntil([&] {
        found = find();
        return !found.message.empty() || found.saveDialog || found.diagnostics || !program_->isRunning();
      });
    }
    return found;
  }

  void click(int control) override { program_->clickAt(pointOf(control)); }

  void press(Key key, char letter, walk::Modifiers modifiers) override {
    static constexpr WORD kKeys[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_HOME, VK_END, VK_DELETE, VK_F4};
    std::vector<WORD> held;
    if (modifiers.control) held.push_back(VK_CONTROL);
    if (modifiers.alt) held.push_back(VK_MENU);
    if (modifiers.shift) held.push_back(VK_SHIFT);
    program_->press(key == Key::Letter ? static_cast<WORD>(letter) : kKeys[static_cast<int>(key)], held);
  }

  // Characters typed in a row may still be on their way after the settling: the field is given
  // the time to show them all (the walk then checks that it does). The caret after them tells
  // the entry from the same entry still there and selected, waiting to be typed over.
  void type(const std::string& characters) override {
    HWND field = program_->focused();
    const std::wstring typed = widen(characters);
    program_->type(typed);
    RunningProgram::waitUntil([&] {
      const auto selection = static_cast<DWORD>(SendMessageW(field, EM_GETSEL, 0, 0));
      return windowText(field) == characters && LOWORD(selection) == typed.size() && HIWORD(selection) == typed.size();
    });
  }
  void turnWheel(int control, int notches) override { program_->turnWheel(pointOf(control), notches); }

  // A click in the middle of the close box, found where the window itself says it is: from its
  // first point to its last.
  bool clickCloseBox() override {
    HWND window = open_ ? open_ : program_->mainWindow();
    RECT area{};
    GetWindowRect(window, &area);
    std::optional<POINT> first, last;
    for (int y = area.top; y < area.top + 48; ++y) {
      for (int x = area.right - 80; x < area.right; ++x) {
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
        if (!first) first = POINT{x, y};
        last = POINT{x, y};
      }
    }
    if (first) program_->clickAt({(first->x + last->x) / 2, (first->y + last->y) / 2});
    return first.has_value();
  }
  bool hasWindowMenu() override { return true; }

  // The activation moves in its own time; keys sent before it arrives would go astray.
  void visitOtherProgram(int backByClickOn) override {
    HWND other = CreateWindowExW(0, L"STATIC", L"Anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 200,
                                 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    RunningProgram::waitUntil([&] {
      MSG message{};
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      return GetForegroundWindow() == other;
    });
    settle();
    if (backByClickOn == walk::kNone) {
      SetForegroundWindow(program_->mainWindow());
    } else {
      click(backByClickOn);
    }
    RunningProgram::waitUntil([&] { return GetForegroundWindow() == program_->mainWindow(); });
    DestroyWindow(other);
  }

  void clickAnswer() override { program_->click(answer_); }
  bool waitUntilAnswered() override { return !open_ || program_->waitUntilClosed(open_); }

 private:
  // The program's other windows; the last of them that wants an answer is kept with its answer.
  walk::Found find() {
    walk::Found found;
    open_ = answer_ = nullptr;
    for (HWND window : program_->windows()) {
      if (window == program_->mainWindow()) continue;
      const std::wstring kind = classOf(window);
      if (kind == L"#32768") {
        found.menu = true;
        continue;
      }
      if (windowText(window) == "Form2") {
        found.diagnostics = true;
        answer_ = program_->control(forms::diagnostics_window::CloseButton, window);
      } else if (kind == L"#32770" && windowText(window) == forms::main_window::kApplicationTitle) {
        const ModalWindow box = RunningProgram::describe(window);
        found.message = box.texts;
        found.message.insert(found.message.begin(), box.caption);
        answer_ = GetDlgItem(window, IDOK);
      } else if (kind == L"#32770") {
        found.saveDialog = true;
      } else {
        continue;
      }
      open_ = window;
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

  std::unique_ptr<RunningProgram> program_;
  HWND open_ = nullptr, answer_ = nullptr;  // a window over the main window, and its answer
};

TEST(Walk, RealInputKeepsTheRulesOfTheMainWindow) {
  testing::TempRegistry store;
  Win32Driver driver;
  EXPECT_TRUE(walk::walkMainWindow(driver, store));
}

}  // namespace
}  // namespace marovel::win32_ui
