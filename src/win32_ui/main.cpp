// marovel-config.exe: the main window loads the agent's settings and shows them; the program
// ends when the window is closed.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "dialogs.h"
#include "main_window.h"
#include "message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  using namespace marovel::win32_ui;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The screen-reader annotations are COM objects of this, the window thread; without COM the
  // windows work all the same, unannotated.
  const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));

  {
    NativeDialogs dialogs;
    MainWindow window(dialogs, userDecimalSeparator());
    window.show(showCommand);
    runMessagesUntil([&window] { return !window.isOpen(); });
  }  // the window lets go of its COM objects before COM ends
  if (comReady) CoUninitialize();
  return 0;
}
