// The modal dialogs the main window asks; tests put answers of their own in their place.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string_view>

#include "main_window_view.h"

namespace marovel::win32_ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // OK only, no icon; returns when it is closed.
  virtual void showMessage(HWND owner, std::string_view caption, std::string_view text) = 0;
  // The chosen name, or an empty path when the user cancelled.
  virtual std::filesystem::path askSaveFileName(HWND owner, const forms::SaveQuestion& question) = 0;
};

// MessageBoxW and GetSaveFileNameW.
class NativeDialogs final : public Dialogs {
 public:
  void showMessage(HWND owner, std::string_view caption, std::string_view text) override;
  std::filesystem::path askSaveFileName(HWND owner, const forms::SaveQuestion& question) override;
};

}  // namespace marovel::win32_ui
