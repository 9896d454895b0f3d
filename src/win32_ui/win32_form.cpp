#include "win32_form.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "wide_text.h"

namespace marovel::win32_ui {
namespace {

using forms::ControlDescription;
using forms::ControlId;
using forms::ControlKind;

constexpr wchar_t kFormProperty[] = L"Marovel.Form";
// Not WS_CLIPCHILDREN: a group box paints only its frame, so the window paints beneath it.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extendedStyle;
};

// Group boxes are drawn, but the controls in them are the window's own children, so that their
// notifications reach the window. Every focusable control is a group of its own: the arrow
// keys never move the focus.
ControlClass classOf(const ControlDescription& control) {
  const DWORD readOnly = control.readOnly ? ES_READONLY : 0;
  switch (control.kind) {
    case ControlKind::GroupBox:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::Label:
      return {WC_STATICW, static_cast<DWORD>(control.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP), 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::TextBox:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | readOnly, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineTextBox:
      return {WC_EDITW, ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP | WS_GROUP | readOnly, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
  }
  return {WC_STATICW, 0, 0};
}

bool isEdit(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::MultiLineTextBox; }

int toPixels(int twips, UINT dpi) { return forms::twipsToPixels(twips, static_cast<int>(dpi)); }

// Where a control lies in the window, in twips: its container's place added to its own.
POINT windowTwipsOf(const forms::FormDescription& form, const ControlDescription& control) {
  POINT place{control.rect.left, control.rect.top};
  for (ControlId container = control.container; container != forms::kWindow;) {
    const ControlDescription& outer = forms::controlOf(form, container);
    place.x += outer.rect.left;
    place.y += outer.rect.top;
    container = outer.container;
  }
  return place;
}

int depthOf(const forms::FormDescription& form, const ControlDescription& control) {
  int depth = 0;
  for (ControlId container = control.container; container != forms::kWindow; ++depth) {
    container = forms::controlOf(form, container).container;
  }
  return depth;
}

std::wstring classNameOf(const forms::FormDescription& form) { return L"Marovel." + widen(form.designedName); }

void registerClass(const std::wstring& name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &windowClass)) return;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name.c_str();
  RegisterClassExW(&windowClass);
}

bool isDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// The keys of the letters and digits, whose virtual-key codes are their characters.
bool isLetterOrDigitKey(WPARAM key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

// The access-key letter of a caption ("Über&nehmen" gives 'N'), or 0.
wchar_t accessKeyOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(std::towupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

}  // namespace

Win32Form::Win32Form(const forms::FormDescription& form, HWND owner) : form_(form) {
  createWindow(owner);
  createControls();
  addToolTips();
  applyDpi(GetDpiForWindow(window_));
  stackControls();
  annotations_.annotate(form_, controls_);
}

Win32Form::~Win32Form() { destroy(); }

void Win32Form::createWindow(HWND owner) {
  const std::wstring className = classNameOf(form_);
  registerClass(className, windowProcedure);
  // Placed by the window system; sized for its DPI once it exists.
  CreateWindowExW(0, className.c_str(), widen(form_.caption).c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), this);
}

void Win32Form::createControls() {
  for (const ControlDescription& control : form_.controls) {
    const ControlClass controlClass = classOf(control);
    const std::wstring caption = control.captionHidden ? std::wstring() : widen(control.caption);
    HWND created = CreateWindowExW(controlClass.extendedStyle, controlClass.name, caption.c_str(),
                                   kChildStyle | controlClass.style, 0, 0, 0, 0, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + control.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    // No text box limits its length.
    if (isEdit(control.kind)) SendMessageW(created, EM_SETLIMITTEXT, 0, 0);
    controls_[control.id] = created;
  }
}

void Win32Form::addToolTips() {
  for (const ControlDescription& control : form_.controls) {
    if (control.toolTip.empty()) continue;
    if (!toolTip_) {
      toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    std::wstring text = widen(control.toolTip);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(controls_.at(control.id));
    tool.lpszText = text.data();
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32Form::applyDpi(UINT dpi) {
  dpi_ = dpi;
  fonts_.create(form_, dpi);
  for (const ControlDescription& control : form_.controls) {
    SendMessageW(controls_.at(control.id), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.fontOf(control)), TRUE);
  }
  fonts_.dropEarlier();
  layOut();
}

void Win32Form::layOut() {
  for (const ControlDescription& control : form_.controls) {
    const POINT place = windowTwipsOf(form_, control);
    // The edges are converted, not the sizes, so that neighbours stay flush at any DPI.
    const int left = toPixels(place.x, dpi_), top = toPixels(place.y, dpi_);
    const int right = toPixels(place.x + control.rect.width, dpi_);
    const int bottom = toPixels(place.y + control.rect.height, dpi_);
    SetWindowPos(controls_.at(control.id), nullptr, left, top, right - left, bottom - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Top to bottom: the focusable controls, then the labels (they lie beneath the controls they
// overlap), then the group boxes, the innermost first.
void Win32Form::stackControls() {
  std::vector<const ControlDescription*> order;
  for (ControlId id : forms::tabOrder(form_)) order.push_back(&forms::controlOf(form_, id));
  for (const ControlDescription& control : form_.controls) {
    if (control.kind == ControlKind::Label) order.push_back(&control);
  }
  std::vector<const ControlDescription*> groups;
  for (const ControlDescription& control : form_.controls) {
    if (control.kind == ControlKind::GroupBox) groups.push_back(&control);
  }
  std::stable_sort(groups.begin(), groups.end(), [this](auto* a, auto* b) { return depthOf(form_, *a) > depthOf(form_, *b); });
  order.insert(order.end(), groups.begin(), groups.end());
  for (const ControlDescription* control : order) {
    SetWindowPos(controls_.at(control->id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void Win32Form::show(int command) {
  RECT client{0, 0, toPixels(form_.clientWidth, dpi_), toPixels(form_.clientHeight, dpi_)};
  AdjustWindowRectExForDpi(&client, kWindowStyle, FALSE, 0, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, command);
  UpdateWindow(window_);
  const std::vector<ControlId> order = forms::tabOrder(form_);
  if (!order.empty()) focus(order.front());
}

void Win32Form::destroy() {
  if (window_) DestroyWindow(window_);
}

ControlId Win32Form::idOf(HWND window) const {
  for (const auto& [id, control] : controls_) {
    if (control == window) return id;
  }
  return forms::kWindow;
}

Win32Form* Win32Form::formOf(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  return root ? static_cast<Win32Form*>(GetPropW(root, kFormProperty)) : nullptr;
}

std::string Win32Form::controlText(ControlId id) const { return windowText(controls_.at(id)); }

void Win32Form::setControlText(ControlId id, std::string_view text) {
  const bool announced = id == form_.statusLine && controlText(id) != text;
  settingText_ = true;
  SetWindowTextW(controls_.at(id), widen(text).c_str());
  settingText_ = false;
  if (announced) ScreenReaderAnnotations::announceChange(controls_.at(id));
}

bool Win32Form::mayLeave(ControlId) { return true; }

void Win32Form::onCommand(ControlId, WORD) {}

void Win32Form::onCloseRequested() { destroy(); }

Route Win32Form::route(MSG& message) {
  switch (message.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return routeMouseDown(message);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (message.message != swallowedRelease_) return Route::DialogManager;
      swallowedRelease_ = 0;
      return Route::Handled;
    case WM_KEYDOWN:
      return routeKeyDown(message);
    case WM_CHAR:
      return routeCharacter(message);
    case WM_SYSKEYDOWN:
      if (!(message.lParam & (1 << 29))) return Route::DialogManager;  // F10 and the like
      if (!isLetterOrDigitKey(message.wParam)) return Route::DialogManager;  // Alt+numpad types a character
      return routeAccessKey(static_cast<wchar_t>(message.wParam));
    case WM_SYSCHAR:
      return routeAccessKey(static_cast<wchar_t>(message.wParam));
    default:
      return Route::DialogManager;
  }
}

// A refused press is swallowed with its own release and no other. The refusal's message box runs
// its own message loop, which often takes the release first: only a button still down after it
// has a release to come. A release that never reaches this window is not waited for past the next
// press.
Route Win32Form::routeMouseDown(const MSG& message) {
  swallowedRelease_ = 0;
  const ControlId target = idOf(message.hwnd);
  if (target == forms::kWindow || !forms::isFocusable(forms::controlOf(form_, target).kind) ||
      message.hwnd == GetFocus()) {
    return Route::DialogManager;
  }
  if (leaveAllowed()) return Route::DialogManager;
  const auto [button, release] = message.message == WM_RBUTTONDOWN   ? std::pair{VK_RBUTTON, WM_RBUTTONUP}
                                 : message.message == WM_MBUTTONDOWN ? std::pair{VK_MBUTTON, WM_MBUTTONUP}
                                                                     : std::pair{VK_LBUTTON, WM_LBUTTONUP};
  if (isDown(button)) swallowedRelease_ = release;
  return Route::Handled;
}

Route Win32Form::routeKeyDown(const MSG& message) {
  switch (message.wParam) {
    case VK_TAB:
      if (isDown(VK_MENU)) return Route::DialogManager;
      // Ctrl+Tab moves nothing, as in the Qt program; the dialog manager would move the focus
      // past the gate.
      if (!isDown(VK_CONTROL)) moveFocusByTab(isDown(VK_SHIFT));
      return Route::Handled;
    case VK_RETURN:
    case VK_ESCAPE:
      return Route::Handled;  // neither window has a default or a cancel button
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return isButtonLike(focusedControl()) ? Route::Handled : Route::Dispatch;
    default:
      return Route::DialogManager;
  }
}

// A letter typed on a button is no access key (only Alt with the letter is), and Enter, Esc and
// Tab were taken as keys already.
Route Win32Form::routeCharacter(const MSG& message) {
  switch (message.wParam) {
    case L'\r':
    case L'\n':
    case L'\t':
    case 0x1B:
      return Route::Handled;
    default:
      return isButtonLike(focusedControl()) ? Route::Handled : Route::Dispatch;
  }
}

// A button's key clicks it; a label's key focuses the control the label names.
Route Win32Form::routeAccessKey(wchar_t key) {
  for (const ControlDescription& control : form_.controls) {
    if (accessKeyOf(control.caption) != std::towupper(static_cast<wint_t>(key))) continue;
    const ControlId target = control.kind == ControlKind::Label ? control.labelFor : control.id;
    if (target == forms::kWindow) return Route::DialogManager;
    if (controls_.at(target) != GetFocus() && !leaveAllowed()) return Route::Handled;
    focus(target);
    if (control.kind == ControlKind::Button) SendMessageW(controls_.at(target), BM_CLICK, 0, 0);
    return Route::Handled;
  }
  return Route::DialogManager;
}

void Win32Form::moveFocusByTab(bool backwards) {
  const std::vector<ControlId> order = forms::tabOrder(form_);
  if (order.empty()) return;
  const ControlId focused = focusedControl();
  std::size_t index = 0;
  while (index < order.size() && order[index] != focused) ++index;
  std::size_t next = 0;
  if (index == order.size()) {
    next = backwards ? order.size() - 1 : 0;
  } else {
    next = (index + (backwards ? order.size() - 1 : 1)) % order.size();
  }
  if (!leaveAllowed()) return;
  focus(order[next]);
}

bool Win32Form::leaveAllowed() {
  const ControlId focused = focusedControl();
  return focused == forms::kWindow || mayLeave(focused);
}

// As the dialog manager does: a text box taken by keyboard has its text selected.
void Win32Form::focus(ControlId target) {
  HWND control = controls_.at(target);
  SetFocus(control);
  if (isEdit(forms::controlOf(form_, target).kind)) SendMessageW(control, EM_SETSEL, 0, -1);
}

ControlId Win32Form::focusedControl() const { return idOf(GetFocus()); }

bool Win32Form::isButtonLike(ControlId id) const {
  if (id == forms::kWindow) return false;
  const ControlKind kind = forms::controlOf(form_, id).kind;
  return kind == ControlKind::Button || kind == ControlKind::CheckBox;
}

void Win32Form::rememberFocus() {
  HWND focused = GetFocus();
  if (focused && idOf(focused) != forms::kWindow) lastFocus_ = focused;
}

void Win32Form::restoreFocus() {
  if (lastFocus_ && IsWindow(lastFocus_)) {
    SetFocus(lastFocus_);
    return;
  }
  const std::vector<ControlId> order = forms::tabOrder(form_);
  if (!order.empty()) SetFocus(controls_.at(order.front()));
}

LRESULT CALLBACK Win32Form::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetPropW(window, kFormProperty, form);
  }
  auto* form = static_cast<Win32Form*>(GetPropW(window, kFormProperty));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kFormProperty);
    form->window_ = nullptr;
    form->controls_.clear();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return form->handle(message, wParam, lParam);
}

// A read-only text box keeps the window colour of an editable one, as a locked one always looked: it is
// read, not disabled.
LRESULT Win32Form::colourOfStatic(HDC context, HWND control) {
  const ControlId id = idOf(control);
  if (id == forms::kWindow || !isEdit(forms::controlOf(form_, id).kind)) {
    return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                          reinterpret_cast<LPARAM>(control));
  }
  SetBkColor(context, GetSysColor(COLOR_WINDOW));
  SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT Win32Form::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const ControlId id = static_cast<ControlId>(LOWORD(wParam)) - kFirstControlId;
      if (controls_.contains(id) && reinterpret_cast<HWND>(lParam) == controls_.at(id)) onCommand(id, HIWORD(wParam));
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        rememberFocus();
      } else {
        restoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      restoreFocus();
      return 0;
    case WM_CTLCOLORSTATIC:
      return colourOfStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      annotations_.clear();
      return 0;
    case WM_CLOSE:
      if (IsWindowEnabled(window_)) onCloseRequested();  // not while a modal window is open over it
      return 0;
    case WM_DPICHANGED: {
      applyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace marovel::win32_ui
