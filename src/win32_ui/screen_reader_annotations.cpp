#include "screen_reader_annotations.h"

#include <oleacc.h>

#include "wide_text.h"

namespace marovel::win32_ui {
namespace {

// UI Automation's LiveSetting property and its Polite value, which MinGW's headers lack.
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

VARIANT integerVariant(LONG value) {
  VARIANT variant{};
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

}  // namespace

ScreenReaderAnnotations::ScreenReaderAnnotations() {
  void* services = nullptr;
  if (SUCCEEDED(
          CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &services))) {
    services_ = static_cast<IAccPropServices*>(services);
  }
}

ScreenReaderAnnotations::~ScreenReaderAnnotations() {
  if (services_) services_->Release();
}

void ScreenReaderAnnotations::annotate(const forms::FormDescription& form,
                                       const std::map<forms::ControlId, HWND>& controls) {
  if (!services_) return;
  auto setText = [this](HWND control, const MSAAPROPID& property, std::string_view text) {
    if (SUCCEEDED(services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, widen(text).c_str()))) {
      annotated_[control].push_back(property);
    }
  };
  auto setInteger = [this](HWND control, const MSAAPROPID& property, LONG value) {
    if (SUCCEEDED(services_->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, property, integerVariant(value)))) {
      annotated_[control].push_back(property);
    }
  };
  for (const forms::ControlDescription& control : form.controls) {
    HWND window = controls.at(control.id);
    if (forms::isFocusable(control.kind)) {
      setText(window, PROPID_ACC_NAME, forms::accessibleName(form, control.id));
      if (!control.toolTip.empty()) setText(window, PROPID_ACC_DESCRIPTION, control.toolTip);
    }
    // Its name stays its text, which is what a screen reader reads out.
    if (control.id == form.statusLine) {
      setInteger(window, PROPID_ACC_ROLE, ROLE_SYSTEM_STATUSBAR);
      setInteger(window, kLiveSettingProperty, kPolite);
    }
  }
}

void ScreenReaderAnnotations::clear() {
  for (const auto& [control, properties] : annotated_) {
    services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties.data(),
                              static_cast<int>(properties.size()));
  }
  annotated_.clear();
}

void ScreenReaderAnnotations::announceChange(HWND statusLine) {
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, statusLine, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace marovel::win32_ui
