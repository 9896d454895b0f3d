// A real native main window in this process on an empty agent registry (under Wine), with
// dialogs that only record; input reaches it as posted messages through the program's loop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs.h"
#include "main_window.h"
#include "message_loop.h"
#include "temp_registry.h"
#include "wide_text.h"

namespace marovel::win32_ui {

class RecordingDialogs : public Dialogs {
 public:
  void showMessage(HWND, std::string_view caption, std::string_view text) override {
    messages.emplace_back(caption, text);
  }
  std::filesystem::path askSaveFileName(HWND, const forms::SaveQuestion&) override {
    ++saveQuestions;
    return {};
  }

  std::vector<std::pair<std::string, std::string>> messages;  // caption, text
  int saveQuestions = 0;
};

class NativeWindowFixture : public ::testing::Test {
 public:
  void open() {
    window = std::make_unique<MainWindow>(dialogs, ',');
    window->show();
    handlePendingMessages();
  }

  void TearDown() override {
    window.reset();
    handlePendingMessages();
  }

  HWND control(int id) const { return window->control(id); }

  std::string text(int id) const { return windowText(control(id)); }

  int focused() const { return window->idOf(GetFocus()); }

  void post(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageW(control(id), message, wParam, lParam);
    handlePendingMessages();
  }

  // A left click in the middle of the control.
  void click(int id) {
    RECT area{};
    GetClientRect(control(id), &area);
    const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
    PostMessageW(control(id), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control(id), WM_LBUTTONUP, 0, middle);
    handlePendingMessages();
  }

  // A key as the keyboard gives it to the focused control, with Shift held when asked.
  void press(UINT key, bool shift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    handlePendingMessages();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }

  // Alt with a letter, as the keyboard sends it.
  void pressWithAlt(wchar_t letter) {
    PostMessageW(GetFocus(), WM_SYSKEYDOWN, letter, 1 | (1 << 29));
    handlePendingMessages();
  }

  testing::TempRegistry store;
  RecordingDialogs dialogs;
  std::unique_ptr<MainWindow> window;
};

}  // namespace marovel::win32_ui
