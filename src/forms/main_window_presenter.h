// Every decision of the main window: what it loads, whether the focus may leave an interval
// field, applying with its read-back, saving, diagnose and end. Front ends only forward events.
#pragma once

#include <string_view>

#include "edited_settings.h"
#include "main_window_view.h"
#include "status_notice.h"

namespace marovel::forms {

class MainWindowPresenter {
 public:
  // decimalSeparator: the user's locale's, for the interval fields.
  MainWindowPresenter(MainWindowView& view, char decimalSeparator);

  // Before the window is first shown.
  void load();

  // Asked before the focus leaves `focused` for any reason but closing the window. A refused
  // interval is told, keeps the focus, and the action that would have moved it must not happen.
  bool mayLeave(ControlId focused);

  // Whether the e-mail field may hold this text: only what the registry's code page can carry.
  static bool mayHoldEmailText(std::string_view text);

  void onApplyClicked();
  void onSaveClicked();
  void onDiagnoseClicked();
  void onEndClicked();

 private:
  EditedSettings editedSettings() const;
  void show(const EditedSettings& settings);
  void showNotice(StatusNotice notice);

  MainWindowView& view_;
  char decimalSeparator_;
};

}  // namespace marovel::forms
