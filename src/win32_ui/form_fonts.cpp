#include "form_fonts.h"

#include <cmath>
#include <span>
#include <utility>

#include "wide_text.h"

namespace marovel::win32_ui {
namespace {

// Only outline faces scale: "MS Sans Serif" is a bitmap font, blurred or coarse above 100 %.
int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW* metrics, DWORD fontType, LPARAM found) {
  const DWORD flags = reinterpret_cast<const NEWTEXTMETRICW*>(metrics)->ntmFlags;
  if ((fontType & TRUETYPE_FONTTYPE) == 0 && (flags & (NTM_PS_OPENTYPE | NTM_TT_OPENTYPE)) == 0) return 1;
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool systemHasFace(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The first of the faces the system has as an outline font, or the first one when it has none
// (the font mapper then finds the nearest).
std::wstring availableFace(std::span<const std::string_view> faces) {
  for (std::string_view face : faces) {
    if (systemHasFace(widen(face))) return widen(face);
  }
  return faces.empty() ? std::wstring() : widen(faces.front());
}

// A point size in pixels at the DPI, as the negative height GDI takes for a character height.
int fontHeight(double points, UINT dpi) { return -static_cast<int>(std::lround(points * dpi / 72.0)); }

HFONT makeFont(const forms::Font& font, UINT dpi) {
  LOGFONTW description{};
  description.lfHeight = fontHeight(font.points, dpi);
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  // An outline face also for a name that is there as both, and where no face of the list is.
  description.lfOutPrecision = OUT_OUTLINE_PRECIS;
  availableFace(font.faces).copy(description.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&description);
}

HFONT messageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

FormFonts::~FormFonts() {
  release(earlier_);
  release(current_);
}

void FormFonts::create(const forms::FormDescription& form, UINT dpi) {
  release(earlier_);
  earlier_ = std::move(current_);
  current_ = {};
  current_.windowFont = form.font ? makeFont(*form.font, dpi) : messageFont(dpi);
  for (const forms::ControlDescription& control : form.controls) {
    if (control.font && !current_.fonts.contains(control.font)) {
      current_.fonts[control.font] = makeFont(*control.font, dpi);
    }
  }
}

HFONT FormFonts::fontOf(const forms::ControlDescription& control) const {
  return control.font ? current_.fonts.at(control.font) : current_.windowFont;
}

void FormFonts::dropEarlier() { release(earlier_); }

void FormFonts::release(Set& set) {
  for (auto& [font, handle] : set.fonts) DeleteObject(handle);
  set.fonts.clear();
  if (set.windowFont != nullptr && set.windowFont != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(set.windowFont);
  set.windowFont = nullptr;
}

}  // namespace marovel::win32_ui
