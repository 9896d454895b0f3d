// The real marovel-config.exe, started in this Wine prefix and driven from outside as a user
// would: real mouse and keyboard input (SendInput), and the program's own windows, dialogs and
// message boxes looked at and answered from here.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace marovel::win32_ui {

// A modal window of the program: its caption, the texts it shows, its buttons' captions, and
// whether it shows an icon.
struct ModalWindow {
  HWND window = nullptr;
  std::string caption;
  std::vector<std::string> texts;
  std::vector<std::string> buttons;
  bool showsIcon = false;
};

std::wstring classOf(HWND window);

class RunningProgram {
 public:
  // Starts the program and waits until its main window shows; throws when it does not.
  RunningProgram();
  ~RunningProgram();  // ends the program if it still runs
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND mainWindow() const { return main_; }
  HWND control(int id, HWND window = nullptr) const;
  std::string text(int id, HWND window = nullptr) const;
  // Puts a text into a control as a paste would.
  void setText(int id, const std::string& text) const;
  bool isChecked(int id) const;
  // The control that has the keyboard focus in the program.
  HWND focused() const;

  // Real input: a left click in the middle of the control or at a point of the screen; a key
  // with modifiers held; characters typed; the wheel turned over a point. Two clicks at one
  // place in quick succession would be a double click: the second waits.
  void click(HWND control) const;
  void click(int id) const { click(control(id)); }
  void clickAt(POINT point) const;
  void press(WORD key, const std::vector<WORD>& modifiers = {}) const;
  void type(const std::wstring& characters) const;
  void turnWheel(POINT point, int notches) const;
  // Waits until the program handled all the input sent to it.
  void settle() const;

  bool isRunning() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // Input reaches the program in its own time: this waits until the condition holds (what the
  // input did shows), and gives whether it came to hold.
  static bool waitUntil(const std::function<bool()>& condition);

  // The program's visible top-level windows.
  std::vector<HWND> windows() const;
  // Waits for a top-level window of the program with this caption, or one owned by the main
  // window; nullptr when none comes.
  HWND waitForWindow(const std::wstring& caption) const;
  ModalWindow waitForModal() const { return describe(waitForWindow(L"")); }
  static ModalWindow describe(HWND window);
  // Waits until the window is gone; false when it stays.
  bool waitUntilClosed(HWND window) const;
  // Waits for the program to end; its exit code, or -1 when it does not end.
  int waitForExit();

 private:
  void send(std::vector<INPUT> inputs) const;

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  mutable int unsettled_ = 0;  // input events sent since the program last settled
  mutable POINT lastClick_{-100, -100};
  mutable DWORD lastClickTime_ = 0;
};

}  // namespace marovel::win32_ui
