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

  // Makes the fonts for the DPI. Those of an earlier DPI are kept until dropEarlier(): a control
  // must be given its new font before its old one is deleted.
  void create(const forms::FormDescription& form, UINT dpi);
  HFONT fontOf(const forms::ControlDescription& control) const;
  void dropEarlier();

 private:
  struct Set {
    std::map<const forms::Font*, HFONT> fonts;
    HFONT windowFont = nullptr;  // the stock font is the system's, never deleted
  };
  static void release(Set& set);

  Set current_;
  Set earlier_;
};

}  // namespace marovel::win32_ui
