// A window's layout as data: every control with its designed name, kind, container, caption,
// rectangle in twips, font and tab position. Each front end builds its controls from it, so the
// layout exists once, whatever the toolkit.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marovel::forms {

using ControlId = int;
inline constexpr ControlId kWindow = -1;  // the container of controls that lie on the window itself

enum class ControlKind { GroupBox, Label, CheckBox, TextBox, MultiLineTextBox, Button };

// Faces in order of preference: the designed one first, then look-alikes with its metrics.
struct Font {
  std::span<const std::string_view> faces;
  double points;
};

// Designed in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
struct TwipsRect {
  int left, top, width, height;
};

struct ControlDescription {
  ControlId id;
  std::string_view designedName;  // "Text1(2)", "Command4": the object name the tests look up
  ControlKind kind;
  ControlId container;
  std::string_view caption;  // UTF-8, '&' before an access key; a text box's initial text
  std::string_view toolTip;
  TwipsRect rect;
  const Font* font;  // nullptr: the window's font
  int tabIndex;      // as designed; labels and group boxes take no focus whatever it says
  ControlId labelFor = kWindow;  // for a label: the control it names; its access key, if any, focuses it
  bool readOnly = false;
  bool wordWrap = false;  // a label whose caption wraps to further lines
  bool captionHidden = false;  // the caption names the control but is not shown: only the box shows
};

struct FormDescription {
  std::string_view designedName;
  std::string_view caption;
  int clientWidth, clientHeight;  // twips
  const Font* font;               // nullptr: the toolkit's own default font
  std::span<const ControlDescription> controls;
  ControlId statusLine = kWindow;  // the notice line, whose changes a screen reader announces
};

const ControlDescription& controlOf(const FormDescription& form, ControlId id);

// The focusable controls in tab order; the first takes the focus when the window opens.
std::vector<ControlId> tabOrder(const FormDescription& form);

constexpr int kTwipsPerInch = 1440;

// Pixels for twips at the given dots per inch, rounded to the nearest pixel (MulDiv's rounding).
constexpr int twipsToPixels(int twips, int dpi = 96) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled >= 0 ? scaled + kTwipsPerInch / 2 : scaled - kTwipsPerInch / 2) / kTwipsPerInch);
}

bool isFocusable(ControlKind kind);

// A caption as it reads, without its access-key mark ("&&" stands for one "&").
std::string captionText(std::string_view caption);

// What a screen reader calls a control: the caption of the label that names it, else a button's
// or check box's shown caption, else the caption of the group it lies in; "" for none. Tooltips
// are the descriptions.
std::string accessibleName(const FormDescription& form, ControlId id);

}  // namespace marovel::forms
