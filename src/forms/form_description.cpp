#include "form_description.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace marovel::forms {

bool isFocusable(ControlKind kind) { return kind != ControlKind::GroupBox && kind != ControlKind::Label; }

const ControlDescription& controlOf(const FormDescription& form, ControlId id) {
  for (const ControlDescription& control : form.controls) {
    if (control.id == id) return control;
  }
  throw std::out_of_range("no control " + std::to_string(id) + " in " + std::string(form.designedName));
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
