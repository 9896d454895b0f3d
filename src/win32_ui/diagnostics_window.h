// The read-only diagnostics window, native: built from its form description; the presenter
// loads it. The main window runs it modally.
#pragma once

#include "diagnostics_window_presenter.h"
#include "win32_form.h"

namespace marovel::win32_ui {

class DiagnosticsWindow final : public Win32Form, private forms::DiagnosticsWindowView {
 public:
  // Loads its values at once (repairing the update URL in the registry on the way).
  explicit DiagnosticsWindow(HWND owner);

 private:
  void onCommand(forms::ControlId control, WORD notification) override;
  void onCloseRequested() override;
  void setText(forms::diagnostics_window::Control control, std::string_view text) override;
  void closeWindow() override;

  HWND owner_;
  forms::DiagnosticsWindowPresenter presenter_;
};

}  // namespace marovel::win32_ui
