#include "form_fonts.h"

#include <cmath>
#include <span>

#include "wide_text.h"

namespace marovel::win32_ui {
namespace {

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
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

// The first of the faces the system has, or the first one when it has none (the font mapper
// then finds the nearest).
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

FormFonts::~FormFonts() { release(); }

void FormFonts::create(const forms::FormDescription& form, UINT dpi) {
  release();
  if (form.font) {
    windowFont_ = makeFont(*form.font, dpi);
  } else {
    windowFont_ = messageFont(dpi);
  }
  for (const forms::ControlDescription& control : form.controls) {
    if (control.font && !fonts_.contains(control.font)) fonts_[control.font] = makeFont(*control.font, dpi);
  }
}

HFONT FormFonts::fontOf(const forms::ControlDescription& control) const {
  return control.font ? fonts_.at(control.font) : windowFont_;
}

void FormFonts::release() {
  for (auto& [font, handle] : fonts_) DeleteObject(handle);
  fonts_.clear();
  if (windowFont_ != nullptr && windowFont_ != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(windowFont_);
  windowFont_ = nullptr;
}

}  // namespace marovel::win32_ui
