#include "diagnostics_window.h"

namespace marovel::win32_ui {

using namespace forms::diagnostics_window;

DiagnosticsWindow::DiagnosticsWindow(HWND owner)
    : Win32Form(description(), owner), owner_(owner), presenter_(*this) {
  presenter_.load();
}

void DiagnosticsWindow::onCommand(forms::ControlId control, WORD notification) {
  if (control == CloseButton && notification == BN_CLICKED) presenter_.onCloseClicked();
}

void DiagnosticsWindow::onCloseRequested() { closeWindow(); }

void DiagnosticsWindow::setText(Control control, std::string_view text) { setControlText(control, text); }

// The owner is enabled first, so that it, not another program, becomes the active window.
void DiagnosticsWindow::closeWindow() {
  if (owner_) EnableWindow(owner_, TRUE);
  destroy();
}

}  // namespace marovel::win32_ui
