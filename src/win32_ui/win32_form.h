// A top-level window built from a form description: every control where the description puts
// it at the window's DPI, with its caption, font and tab position. It also takes the focus
// rules both windows share: the message loop shows it each message first, so that a focus
// change by click, Tab, Shift+Tab or access key is asked for before it happens and a refusal
// swallows it whole; Enter, Esc and Ctrl+Tab do nothing; only Alt with a letter is an access key.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "form_description.h"
#include "form_fonts.h"
#include "screen_reader_annotations.h"

namespace marovel::win32_ui {

// What the message loop does with a message once the form has seen it.
enum class Route {
  Handled,        // done: nobody else sees it
  Dispatch,       // straight to its window, past the dialog manager
  DialogManager,  // IsDialogMessageW, then the window
};

class Win32Form {
 public:
  // Control ids start here, so that none is IDOK or IDCANCEL.
  static constexpr int kFirstControlId = 1000;

  Win32Form(const forms::FormDescription& form, HWND owner);
  virtual ~Win32Form();
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  HWND window() const { return window_; }
  bool isOpen() const { return window_ != nullptr; }
  HWND control(forms::ControlId id) const { return controls_.at(id); }
  // The control a window is, or forms::kWindow.
  forms::ControlId idOf(HWND window) const;
  UINT dpi() const { return dpi_; }

  // Shows the window with the focus on the first control in tab order.
  void show(int command = SW_SHOWNORMAL);

  // Every message for this window or its controls passes here before anyone else sees it.
  Route route(MSG& message);

  // The form a window (or one of its controls) belongs to; nullptr for any other window.
  static Win32Form* formOf(HWND window);

 protected:
  // Asked before the focus leaves `focused`; false keeps it there and swallows the action.
  virtual bool mayLeave(forms::ControlId focused);
  virtual void onCommand(forms::ControlId control, WORD notification);
  // The close box, Alt+F4: closes without asking anything.
  virtual void onCloseRequested();

  void destroy();
  std::string controlText(forms::ControlId id) const;
  // A text the program sets is not an edit: the control's change notice is not taken as one. A
  // changed notice line is announced.
  void setControlText(forms::ControlId id, std::string_view text);
  bool isSettingText() const { return settingText_; }

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT colourOfStatic(HDC context, HWND control);
  void createWindow(HWND owner);
  void createControls();
  void addToolTips();
  void applyDpi(UINT dpi);
  void layOut();
  void stackControls();

  Route routeMouseDown(const MSG& message);
  Route routeKeyDown(const MSG& message);
  Route routeCharacter(const MSG& message);
  Route routeAccessKey(wchar_t key);
  void moveFocusByTab(bool backwards);
  bool leaveAllowed();
  void focus(forms::ControlId target);
  forms::ControlId focusedControl() const;
  bool isButtonLike(forms::ControlId id) const;
  void rememberFocus();
  void restoreFocus();

  const forms::FormDescription& form_;
  HWND window_ = nullptr;
  HWND toolTip_ = nullptr;
  std::map<forms::ControlId, HWND> controls_;
  FormFonts fonts_;
  ScreenReaderAnnotations annotations_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND lastFocus_ = nullptr;
  bool settingText_ = false;
  UINT swallowedRelease_ = 0;  // the release still to come of a refused press, or 0
};

}  // namespace marovel::win32_ui
