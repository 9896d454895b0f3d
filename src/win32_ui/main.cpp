// marovel-config.exe: the main window loads the agent's settings and shows them; the program
// ends when the window is closed.
#include <windows.h>

#include <commctrl.h>

#include "dialogs.h"
#include "main_window.h"
#include "message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  using namespace marovel::win32_ui;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  NativeDialogs dialogs;
  MainWindow window(dialogs, userDecimalSeparator());
  window.show(showCommand);
  runMessagesUntil([&window] { return !window.isOpen(); });
  return 0;
}
