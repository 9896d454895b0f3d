// Each native window as its form description has it: one loop over the description's controls
// checks every one at MulDiv(twips, dpi, 1440) in the window (group boxes are drawn, not
// parents), with its caption, its font (an outline one) and its place in the tab order.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "diagnostics_window.h"
#include "diagnostics_window_form.h"
#include "main_window_form.h"
#include "window_fixture.h"

namespace marovel::win32_ui {
namespace {

using forms::ControlDescription;
using forms::ControlKind;

RECT placeInWindow(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

bool hasOwnCaption(ControlKind kind) { return kind != ControlKind::TextBox && kind != ControlKind::MultiLineTextBox; }

bool isOutlineFont(HFONT font) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ before = SelectObject(screen, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, before);
  ReleaseDC(nullptr, screen);
  return (metrics.tmPitchAndFamily & TMPF_VECTOR) != 0;  // set for TrueType and OpenType, clear for bitmaps
}

// Counts the fonts a control still held, already deleted, when it was given another.
int deletedFontsHeld = 0;

LRESULT CALLBACK watchFontChange(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SETFONT) {
    const auto held = reinterpret_cast<HGDIOBJ>(DefSubclassProc(control, WM_GETFONT, 0, 0));
    if (held != nullptr && GetObjectType(held) != OBJ_FONT) ++deletedFontsHeld;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

void expectRendered(Win32Form& window, const forms::FormDescription& form, const std::vector<std::string>& tabOrder) {
  const int dpi = static_cast<int>(window.dpi());
  EXPECT_EQ(windowText(window.window()), form.caption);
  RECT client{};
  GetClientRect(window.window(), &client);
  if (dpi == USER_DEFAULT_SCREEN_DPI) {  // at another DPI the window takes the size it is given
    EXPECT_EQ(client.right, MulDiv(form.clientWidth, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(form.clientHeight, dpi, 1440));
  }
  for (const ControlDescription& designed : form.controls) {
    SCOPED_TRACE(std::string(designed.designedName));
    HWND control = window.control(designed.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), window.window());
    // Every designed rectangle is in whole pixels at 96 and 192 DPI, so a control's place in its
    // container and its size come out exact, whatever lies between.
    const RECT place = placeInWindow(control);
    const RECT outer =
        designed.container == forms::kWindow ? RECT{} : placeInWindow(window.control(designed.container));
    EXPECT_EQ(place.left - outer.left, MulDiv(designed.rect.left, dpi, 1440));
    EXPECT_EQ(place.top - outer.top, MulDiv(designed.rect.top, dpi, 1440));
    EXPECT_EQ(place.right - place.left, MulDiv(designed.rect.width, dpi, 1440));
    EXPECT_EQ(place.bottom - place.top, MulDiv(designed.rect.height, dpi, 1440));
    if (hasOwnCaption(designed.kind) && !designed.caption.empty()) {
      EXPECT_EQ(windowText(control), designed.captionHidden ? "" : designed.caption);
    }
    EXPECT_TRUE(IsWindowVisible(control) && IsWindowEnabled(control));

    const forms::Font* font = designed.font ? designed.font : form.font;
    LOGFONTW shown{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof shown, &shown);
    EXPECT_TRUE(isOutlineFont(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))))
        << "a bitmap font is coarse above 100 %: " << narrow(shown.lfFaceName);
    if (font) {
      EXPECT_EQ(shown.lfHeight, -std::lround(font->points * dpi / 72));
      EXPECT_TRUE(std::ranges::any_of(font->faces, [&](std::string_view face) { return narrow(shown.lfFaceName) == face; }))
          << narrow(shown.lfFaceName);
    }
  }
  // Round the tab order once, from the first control back to it.
  for (std::size_t step = 0; step <= tabOrder.size(); ++step) {
    EXPECT_EQ(forms::controlOf(form, window.idOf(GetFocus())).designedName, tabOrder[step % tabOrder.size()]) << step;
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    handlePendingMessages();
  }
}

using MainWindowLayout = NativeWindowFixture;

TEST_F(MainWindowLayout, RendersItsDescription) {
  open();
  expectRendered(*window, forms::main_window::description(),
                 {"Check1(1)", "Text1(2)", "Text1(3)", "Command1(4)", "Command1(5)", "Command2", "Command4", "Text2"});
}

// Moved to a monitor of twice the density, every control and font follows, and no control is
// left holding a deleted font meanwhile. The designed "MS Sans Serif" is there as a bitmap font,
// as Windows's own is (here Wine's, for this process only): the fields take an outline face.
TEST_F(MainWindowLayout, FollowsTheMonitorsDpi) {
  const wchar_t* bitmapFont = L"Z:\\usr\\share\\wine\\fonts\\sserife.fon";
  ASSERT_GT(AddFontResourceExW(bitmapFont, FR_PRIVATE, nullptr), 0) << "sserife.fon is missing (fonts-wine)";
  open();
  for (const ControlDescription& designed : forms::main_window::description().controls) {
    SetWindowSubclass(control(designed.id), watchFontChange, 0, 0);
  }
  RECT suggested{0, 0, 900, 600};
  SendMessageW(window->window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(deletedFontsHeld, 0) << "the old fonts are deleted only once every control has its new one";
  ASSERT_EQ(window->dpi(), 192u);
  expectRendered(*window, forms::main_window::description(),
                 {"Check1(1)", "Text1(2)", "Text1(3)", "Command1(4)", "Command1(5)", "Command2", "Command4", "Text2"});
  window.reset();
  RemoveFontResourceExW(bitmapFont, FR_PRIVATE, nullptr);
}

TEST_F(MainWindowLayout, LabelsLieBeneathTheControlsTheyOverlap) {
  open();
  using namespace forms::main_window;
  const RECT field = placeInWindow(control(RetryIntervalField));
  const POINT middle{(field.left + field.right) / 2, (field.top + field.bottom) / 2};
  EXPECT_EQ(ChildWindowFromPointEx(window->window(), middle, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT),
            control(RetryIntervalField));
}

TEST(DiagnosticsWindowKeys, EnterAndEscLeaveItOpenSpaceOnTheButtonClosesIt) {
  testing::TempRegistry store;
  DiagnosticsWindow window(nullptr);
  window.show();
  using namespace forms::diagnostics_window;
  SetFocus(window.control(CloseButton));
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageW(window.control(CloseButton), WM_KEYDOWN, key, 1);
  handlePendingMessages();
  EXPECT_TRUE(window.isOpen());
  PostMessageW(window.control(CloseButton), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageW(window.control(CloseButton), WM_KEYUP, VK_SPACE, 0xC0000001);
  handlePendingMessages();
  EXPECT_FALSE(window.isOpen());
}

TEST(DiagnosticsWindowLayout, RendersItsDescriptionWithTheQuarantineBoxesOverTheirGroup) {
  testing::TempRegistry store;
  DiagnosticsWindow window(nullptr);
  window.show();
  handlePendingMessages();
  expectRendered(window, forms::diagnostics_window::description(),
                 {"Text3", "Text4(0)", "Command1", "Text1", "Text4(1)", "Text4(2)"});
  using namespace forms::diagnostics_window;
  for (int box : {QuarantineUploadBox, QuarantineSubmitBox}) {
    const RECT place = placeInWindow(window.control(box));
    const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(window.window(), middle, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT),
              window.control(box));
  }
}

}  // namespace
}  // namespace marovel::win32_ui
