#include "form_description.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace marovel::forms {

std::string captionText(std::string_view caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

bool isFocusable(ControlKind kind) { return kind != ControlKind::GroupBox && kind != ControlKind::Label; }

const ControlDescription& controlOf(const FormDescription& form, ControlId id) {
  for (const ControlDescription& control : form.controls) {
    if (control.id == id) return control;
  }
  throw std::out_of_range("no control " + std::to_string(id) + " in " + std::string(form.designedName));
}

std::string accessibleName(const FormDescription& form, ControlId id) {
  for (const ControlDescription& control : form.controls) {
    if (control.kind == ControlKind::Label && control.labelFor == id) return captionText(control.caption);
  }
  const ControlDescription& control = controlOf(form, id);
  const bool captioned = control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
                         control.kind == ControlKind::GroupBox || control.kind == ControlKind::Label;
  if (captioned && !control.captionHidden) return captionText(control.caption);
  if (control.container == kWindow) return {};
  return captionText(controlOf(form, control.container).caption);
}

std::vector<ControlId> tabOrder(const FormDescription& form) {
  std::vector<const ControlDescription*> focusable;
  for (const ControlDescription& control : form.controls) {
    if (isFocusable(control.kind)) focusable.push_back(&control);
  }
  std::ranges::sort(focusable, {}, &ControlDescription::tabIndex);
  std::vector<ControlId> order;
  for (const ControlDescription* control : focusable) order.push_back(control->id);
  return order;
}

}  // namespace marovel::forms
