#include "running_program.h"

#include <cstdlib>
#include <stdexcept>

#include "wide_text.h"
#include "win32_form.h"

namespace marovel::win32_ui {
namespace {

constexpr DWORD kPatience = 20000;  // ms: how long a window may take to come or go
constexpr DWORD kPoll = 20;

// The program as CMake built it, as a path Wine gives under its Z: drive.
std::wstring programPath() {
  std::wstring path = L"Z:" + widen(MAROVEL_CONFIG_PROGRAM);
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

template <class Found>
auto waitFor(Found found) -> decltype(found()) {
  for (DWORD waited = 0; waited < kPatience; waited += kPoll) {
    if (auto result = found()) return result;
    Sleep(kPoll);
  }
  return found();
}

BOOL CALLBACK describeChild(HWND child, LPARAM data) {
  auto* modal = reinterpret_cast<ModalWindow*>(data);
  if (!IsWindowVisible(child)) return TRUE;
  const std::wstring kind = classOf(child);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  if (_wcsicmp(kind.c_str(), L"Button") == 0) {
    modal->buttons.push_back(windowText(child));
  } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
    // An icon control may be there and hold no icon.
    if ((style & SS_TYPEMASK) == SS_ICON && SendMessageW(child, STM_GETICON, 0, 0) != 0) modal->showsIcon = true;
    std::string text = windowText(child);
    if (!text.empty()) modal->texts.push_back(text);
  }
  return TRUE;
}

// A key going down or up, or a character's when one is given.
INPUT keyInput(WORD key, bool up, wchar_t character = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = character;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (character ? KEYEVENTF_UNICODE : 0);
  return input;
}

INPUT mouseInput(POINT point, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

}  // namespace

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

RunningProgram::RunningProgram() {
  std::wstring commandLine = L"\"" + programPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
    throw std::runtime_error("cannot start " + narrow(commandLine));
  }
  main_ = waitForWindow(L"Marovel Configuration Manager");
  if (!main_) throw std::runtime_error("the main window did not show");
  SetForegroundWindow(main_);
}

RunningProgram::~RunningProgram() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kPatience);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND RunningProgram::control(int id, HWND window) const {
  return GetDlgItem(window ? window : main_, Win32Form::kFirstControlId + id);
}

std::string RunningProgram::text(int id, HWND window) const { return windowText(control(id, window)); }

void RunningProgram::setText(int id, const std::string& text) const {
  SendMessageW(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

bool RunningProgram::isChecked(int id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND RunningProgram::focused() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

void RunningProgram::click(HWND control) const {
  RECT area{};
  GetWindowRect(control, &area);
  clickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
}

void RunningProgram::clickAt(POINT point) const {
  const DWORD since = GetTickCount() - lastClickTime_;
  if (std::abs(point.x - lastClick_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(point.y - lastClick_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && since <= GetDoubleClickTime()) {
    Sleep(GetDoubleClickTime() - since + 50);
  }
  send({mouseInput(point, MOUSEEVENTF_MOVE), mouseInput(point, MOUSEEVENTF_LEFTDOWN),
        mouseInput(point, MOUSEEVENTF_LEFTUP)});
  lastClick_ = point;
  lastClickTime_ = GetTickCount();
}

void RunningProgram::turnWheel(POINT point, int notches) const {
  std::vector<INPUT> inputs = {mouseInput(point, MOUSEEVENTF_MOVE), mouseInput(point, MOUSEEVENTF_WHEEL)};
  inputs[1].mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  send(inputs);
}

void RunningProgram::type(const std::wstring& characters) const {
  std::vector<INPUT> inputs;
  for (wchar_t c : characters) {
    inputs.push_back(keyInput(0, false, c));
    inputs.push_back(keyInput(0, true, c));
  }
  send(inputs);
}

void RunningProgram::press(WORD key, const std::vector<WORD>& modifiers) const {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(keyInput(modifier, false));
  inputs.push_back(keyInput(key, false));
  inputs.push_back(keyInput(key, true));
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
    inputs.push_back(keyInput(*modifier, true));
  }
  send(inputs);
}

void RunningProgram::send(std::vector<INPUT> inputs) const {
  if (!inputs.empty()) unsettled_ += SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  WaitForInputIdle(process_.hProcess, kPatience);
}

// A message sent to the program is answered only when it next asks for messages, and it takes
// one message of its queue between two asks. An input event makes at most one and a half
// messages (a key's character): as many asks in a row return only once all of it was handled.
void RunningProgram::settle() const {
  for (int pass = 0; pass < 2; ++pass) {
    for (int round = 0; round < 3 * unsettled_ + 10 && isRunning(); ++round) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }
    if (isRunning()) WaitForInputIdle(process_.hProcess, 5000);
  }
  unsettled_ = 0;
}

std::vector<HWND> RunningProgram::windows() const {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{process_.dwProcessId, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId == search->processId && IsWindowVisible(window)) search->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RunningProgram::waitForWindow(const std::wstring& caption) const {
  return waitFor([&]() -> HWND {
    for (HWND window : windows()) {
      if (caption.empty() ? GetWindow(window, GW_OWNER) == main_ : widen(windowText(window)) == caption) return window;
    }
    return nullptr;
  });
}

ModalWindow RunningProgram::describe(HWND window) {
  ModalWindow modal;
  modal.window = window;
  if (!window) return modal;
  modal.caption = windowText(window);
  EnumChildWindows(window, describeChild, reinterpret_cast<LPARAM>(&modal));
  return modal;
}

bool RunningProgram::waitUntilClosed(HWND window) const {
  return waitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

bool RunningProgram::waitUntil(const std::function<bool()>& condition) { return waitFor(condition); }

int RunningProgram::waitForExit() {
  if (WaitForSingleObject(process_.hProcess, kPatience) != WAIT_OBJECT_0) return -1;
  DWORD exitCode = 0;
  GetExitCodeProcess(process_.hProcess, &exitCode);
  return static_cast<int>(exitCode);
}

}  // namespace marovel::win32_ui
