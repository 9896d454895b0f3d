// What the diagnostics window's presenter asks of a front end's window: UTF-8 texts and control
// ids only.
#pragma once

#include <string_view>

#include "diagnostics_window_form.h"

namespace marovel::forms {

class DiagnosticsWindowView {
 public:
  virtual ~DiagnosticsWindowView() = default;
  virtual void setText(diagnostics_window::Control control, std::string_view text) = 0;
  virtual void closeWindow() = 0;
};

}  // namespace marovel::forms
