#include "message_loop.h"

#include "win32_form.h"

namespace marovel::win32_ui {

void handleMessage(MSG& message) {
  if (Win32Form* form = Win32Form::formOf(message.hwnd)) {
    switch (form->route(message)) {
      case Route::Handled:
        return;
      case Route::Dispatch:
        break;
      case Route::DialogManager:
        if (IsDialogMessageW(form->window(), &message)) return;
        break;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void runMessagesUntil(const std::function<bool()>& done) {
  MSG message{};
  while (!done()) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    handleMessage(message);
  }
}

void handlePendingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    handleMessage(message);
  }
}

}  // namespace marovel::win32_ui
