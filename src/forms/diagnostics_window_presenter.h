// The diagnostics window's decisions: it loads the agent's locations (repairing the update URL
// in the registry on the way) and closes on its button.
#pragma once

#include "diagnostics_window_view.h"

namespace marovel::forms {

class DiagnosticsWindowPresenter {
 public:
  explicit DiagnosticsWindowPresenter(DiagnosticsWindowView& view);

  // Before the window is first shown; a new window loads afresh.
  void load();
  void onCloseClicked();

 private:
  DiagnosticsWindowView& view_;
};

}  // namespace marovel::forms
