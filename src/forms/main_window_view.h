// What the main window's presenter asks of a front end's window. Only UTF-8 texts, file paths
// and control ids cross it, so one presenter serves every toolkit.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "main_window_form.h"

namespace marovel::forms {

struct SaveQuestion {
  std::string_view filter;            // "REG (*.reg)"
  std::string_view defaultExtension;  // added to a name typed without one
  std::string_view initialName;       // a pattern: it selects what the listing shows
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  virtual std::string text(main_window::Control control) const = 0;
  // A text the program sets is not the user's edit.
  virtual void setText(main_window::Control control, std::string_view text) = 0;
  virtual bool isChecked(main_window::Control control) const = 0;
  virtual void setChecked(main_window::Control control, bool checked) = 0;
  virtual void setFocus(main_window::Control control) = 0;

  // Modal, with an OK button only and no icon; returns when it is closed.
  virtual void showMessage(std::string_view caption, std::string_view text) = 0;
  // The save dialog, asking before it replaces a file; an empty path when the user cancelled.
  virtual std::filesystem::path askSaveFileName(const SaveQuestion& question) = 0;
  // Opens a new diagnostics window modally over this one; returns when it is closed.
  virtual void showDiagnosticsWindow() = 0;
  virtual void closeWindow() = 0;
};

}  // namespace marovel::forms
