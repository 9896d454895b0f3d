#include "main_window.h"

#include "diagnostics_window.h"
#include "message_loop.h"

namespace marovel::win32_ui {

using namespace forms::main_window;

char userDecimalSeparator() {
  wchar_t separator[8] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return length == 2 && separator[0] < 0x80 ? static_cast<char>(separator[0]) : '.';
}

MainWindow::MainWindow(Dialogs& dialogs, char decimalSeparator)
    : Win32Form(description(), nullptr), dialogs_(dialogs), presenter_(*this, decimalSeparator) {
  presenter_.load();
  lastEmailText_ = controlText(EmailField);
}

bool MainWindow::mayLeave(forms::ControlId focused) { return presenter_.mayLeave(focused); }

void MainWindow::onCommand(forms::ControlId control, WORD notification) {
  if (control == EmailField && notification == EN_CHANGE) keepEmailHoldable();
  if (notification != BN_CLICKED) return;
  switch (control) {
    case ApplyButton:
      presenter_.onApplyClicked();
      break;
    case SaveButton:
      presenter_.onSaveClicked();
      break;
    case DiagnoseButton:
      presenter_.onDiagnoseClicked();
      break;
    case EndButton:
      presenter_.onEndClicked();
      break;
    default:
      break;
  }
}

// Typing or pasting what the registry's code page cannot hold is undone at once, so that
// nothing is later stored as "?".
void MainWindow::keepEmailHoldable() {
  if (isSettingText()) return;
  const std::string typed = controlText(EmailField);
  if (forms::MainWindowPresenter::mayHoldEmailText(typed)) {
    lastEmailText_ = typed;
    return;
  }
  HWND field = control(EmailField);
  DWORD caret = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  setControlText(EmailField, lastEmailText_);
  SendMessageW(field, EM_SETSEL, caret, caret);
  MessageBeep(MB_OK);
}

std::string MainWindow::text(Control control) const { return controlText(control); }

void MainWindow::setText(Control control, std::string_view text) {
  setControlText(control, text);
  if (control == EmailField) lastEmailText_ = std::string(text);
}

bool MainWindow::isChecked(Control control) const {
  return SendMessageW(this->control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::setChecked(Control control, bool checked) {
  SendMessageW(this->control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::setFocus(Control control) { SetFocus(this->control(control)); }

void MainWindow::showMessage(std::string_view caption, std::string_view text) {
  dialogs_.showMessage(window(), caption, text);
}

std::filesystem::path MainWindow::askSaveFileName(const forms::SaveQuestion& question) {
  return dialogs_.askSaveFileName(window(), question);
}

// A new window each time; this one takes no input until it is closed.
void MainWindow::showDiagnosticsWindow() {
  DiagnosticsWindow diagnostics(window());
  EnableWindow(window(), FALSE);
  diagnostics.show();
  runMessagesUntil([&diagnostics] { return !diagnostics.isOpen(); });
  EnableWindow(window(), TRUE);
  SetActiveWindow(window());
}

void MainWindow::closeWindow() { destroy(); }

}  // namespace marovel::win32_ui
