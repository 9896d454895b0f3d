// The fonts a form was designed with, made for one DPI: each control's own, else the window's,
// else the system's message font (the toolkit's default, as the diagnostics window wants).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "form_description.h"

namespace marovel::win32_ui {

class FormFonts {
 public:
  FormFonts() = default;
  ~FormFonts();
  FormFonts(const FormFonts&) = delete;
  FormFonts& operator=(const FormFonts&) = delete;

  // Drops the fonts of an earlier DPI.
  void create(const forms::FormDescription& form, UINT dpi);
  HFONT fontOf(const forms::ControlDescription& control) const;

 private:
  void release();

  std::map<const forms::Font*, HFONT> fonts_;
  HFONT windowFont_ = nullptr;  // the stock font is the system's, never deleted
};

}  // namespace marovel::win32_ui
