// What screen readers are told about a form's controls, set through Dynamic Annotation: the
// controls lie in paint order, not label before field, so the system cannot derive their names
// from the labels, and the relay check box shows no caption at all. Where the annotation service
// is missing or refuses (as under Wine), the controls stay as the system describes them.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "form_description.h"

struct IAccPropServices;

namespace marovel::win32_ui {

class ScreenReaderAnnotations {
 public:
  ScreenReaderAnnotations();
  ~ScreenReaderAnnotations();
  ScreenReaderAnnotations(const ScreenReaderAnnotations&) = delete;
  ScreenReaderAnnotations& operator=(const ScreenReaderAnnotations&) = delete;

  // Every focusable control's name and description; the notice line as a polite live status bar.
  void annotate(const forms::FormDescription& form, const std::map<forms::ControlId, HWND>& controls);
  // Annotations outlive their windows unless cleared: called while the controls still exist.
  void clear();

  // A changed notice is announced without taking the focus.
  static void announceChange(HWND statusLine);

 private:
  IAccPropServices* services_ = nullptr;
  std::map<HWND, std::vector<GUID>> annotated_;  // what was set, to clear
};

}  // namespace marovel::win32_ui
