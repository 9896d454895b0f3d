// The random walk through the real marovel-config.exe under Wine, with real input (SendInput)
// from this program, which also plays the other program that takes the activation.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
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

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

POINT centreOf(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

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

  // A message sent to the program is answered only when it next asks for messages, and it takes
  // one message of its queue between two asks: as many in a row as the input and the characters
  // it makes return only once all of it was handled.
  void settle() override {
    for (int pass = 0; pass < 2; ++pass) {
      for (int round = 0; round < 2 * inputs_ + 10 && program_->isRunning(); ++round) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(program_->mainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      }
      if (program_->isRunning()) WaitForInputIdle(program_->process(), 5000);
    }
    inputs_ = 0;
  }

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
    walk::Found found{open_.messageBox != nullptr, {}, open_.saveDialog != nullptr, open_.menu != nullptr,
                      open_.diagnostics != nullptr};
    if (open_.messageBox) {
      found.messageTexts.push_back(windowText(open_.messageBox));
      EnumChildWindows(open_.messageBox, collectTexts, reinterpret_cast<LPARAM>(&found.messageTexts));
    }
    return found;
  }

  void click(int control) override {
    clickAt(clickPointOf(control));
    if (other_) cameBack();  // the click took the activation back
  }

  void press(Key key, char letter, walk::Modifiers modifiers) override {
    std::vector<WORD> held;
    if (modifiers.control) held.push_back(VK_CONTROL);
    if (modifiers.alt) held.push_back(VK_MENU);
    if (modifiers.shift) held.push_back(VK_SHIFT);
    static constexpr WORD kKeys[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_HOME, VK_END, VK_DELETE, VK_UP, VK_F4};
    const WORD code = key == Key::Letter ? static_cast<WORD>(letter) : kKeys[static_cast<int>(key)];
    inputs_ += 3 + 2 * static_cast<int>(held.size());
    switch (held.size()) {
      case 0:
        program_->press(code);
        break;
      case 1:
        program_->press(code, {held[0]});
        break;
      default:
        program_->press(code, {held[0], held[1]});
        break;
    }
  }

  // Characters typed in a row may still be on their way after the settling: the field is given
  // the time to show them all (the walk then checks that it does).
  void type(const std::string& characters) override {
    inputs_ += 3 * static_cast<int>(characters.size());
    HWND field = program_->focused();
    program_->type(widen(characters));
    RunningProgram::waitUntil([&] { return windowText(field) == characters; });
  }
  void turnWheel(int control, int notches) override {
    inputs_ += 2;
    program_->turnWheel(clickPointOf(control), notches);
  }

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

  void clickMessageOk() override { clickAt(centreOf(GetDlgItem(open_.messageBox, IDOK))); }
  void clickDiagnosticsClose() override {
    clickAt(centreOf(program_->control(forms::diagnostics_window::CloseButton, open_.diagnostics)));
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
  static BOOL CALLBACK collectTexts(HWND child, LPARAM data) {
    if (_wcsicmp(classOf(child).c_str(), L"Static") == 0) {
      std::string text = windowText(child);
      if (!text.empty()) reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
    }
    return TRUE;
  }

  Windows find() const {
    struct Search {
      DWORD process;
      HWND main;
      Windows found;
    } search{program_->processId(), program_->mainWindow(), {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD process = 0;
          GetWindowThreadProcessId(window, &process);
          if (process != s->process || window == s->main || !IsWindowVisible(window)) return TRUE;
          const std::wstring kind = classOf(window);
          if (kind == L"#32768") {
            s->found.menu = window;
          } else if (windowText(window) == "Form2") {
            s->found.diagnostics = window;
          } else if (kind == L"#32770" && windowText(window) == forms::main_window::kApplicationTitle) {
            s->found.messageBox = window;
          } else if (kind == L"#32770") {
            s->found.saveDialog = window;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // The group box is hit inside its left edge, where no control lies.
  POINT clickPointOf(int control) const {
    HWND window = program_->control(control);
    if (control != forms::main_window::SettingsGroup) return centreOf(window);
    RECT area{};
    GetWindowRect(window, &area);
    return {area.left + 3, (area.top + area.bottom) / 2};
  }

  // The activation moves in its own time; keys sent before it arrives would go astray.
  void cameBack() {
    RunningProgram::waitUntil([&] { return GetForegroundWindow() == program_->mainWindow(); });
    DestroyWindow(other_);
    other_ = nullptr;
  }

  bool clickCloseBoxOf(HWND window) {
    const std::optional<POINT> box = closeBoxOf(window);
    if (box) clickAt(*box);
    return box.has_value();
  }

  // Two clicks at one place in quick succession would be a double click: the second waits.
  void clickAt(POINT point) {
    const DWORD since = GetTickCount() - lastClickTime_;
    if (std::abs(point.x - lastClick_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(point.y - lastClick_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && since <= GetDoubleClickTime()) {
      Sleep(GetDoubleClickTime() - since + 50);
    }
    inputs_ += 3;
    program_->clickAt(point);
    lastClick_ = point;
    lastClickTime_ = GetTickCount();
  }

  const testing::TempRegistry& store_;
  std::unique_ptr<RunningProgram> program_;
  Windows open_;
  HWND other_ = nullptr;
  int inputs_ = 0;  // input events since the program last settled
  POINT lastClick_{-100, -100};
  DWORD lastClickTime_ = 0;
};

TEST(Walk, RealInputKeepsTheRulesOfTheMainWindow) {
  testing::TempRegistry store;
  testing::agent::seedInstalledAgent(store);
  Win32Driver driver(store);
  EXPECT_TRUE(walk::walkMainWindow(walk::planFromEnvironment(20261208, 300), driver));
}

}  // namespace
}  // namespace marovel::win32_ui
