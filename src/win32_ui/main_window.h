// The main configuration window, native: built from its form description, it forwards every
// event to the presenter and shows what the presenter says.
#pragma once

#include <string>

#include "dialogs.h"
#include "main_window_presenter.h"
#include "win32_form.h"

namespace marovel::win32_ui {

class MainWindow final : public Win32Form, private forms::MainWindowView {
 public:
  // Loads the settings from the registry before the window is first shown.
  MainWindow(Dialogs& dialogs, char decimalSeparator);

 private:
  bool mayLeave(forms::ControlId focused) override;
  void onCommand(forms::ControlId control, WORD notification) override;
  void keepEmailHoldable();

  std::string text(forms::main_window::Control control) const override;
  void setText(forms::main_window::Control control, std::string_view text) override;
  bool isChecked(forms::main_window::Control control) const override;
  void setChecked(forms::main_window::Control control, bool checked) override;
  void setFocus(forms::main_window::Control control) override;
  void showMessage(std::string_view caption, std::string_view text) override;
  std::filesystem::path askSaveFileName(const forms::SaveQuestion& question) override;
  void showDiagnosticsWindow() override;
  void closeWindow() override;

  Dialogs& dialogs_;
  forms::MainWindowPresenter presenter_;
  std::string lastEmailText_;  // the field's last text the registry's code page can hold
};

// The user's decimal separator as the interval fields use it; '.' where it is not one ASCII
// character.
char userDecimalSeparator();

}  // namespace marovel::win32_ui
