// The program's own message loop: each message for one of our forms goes to that form first
// (the focus gate and the keys), and only then to the dialog manager and the window.
#pragma once

#include <windows.h>

#include <functional>

namespace marovel::win32_ui {

// Handles one message as the loop does.
void handleMessage(MSG& message);

// Runs until `done` holds, or until WM_QUIT comes (posted again then, for an outer loop).
void runMessagesUntil(const std::function<bool()>& done);

// Handles what is queued now, without waiting.
void handlePendingMessages();

}  // namespace marovel::win32_ui
