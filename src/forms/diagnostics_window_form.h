// The read-only diagnostics window as designed, and every text it shows: the one place for them.
#pragma once

#include <string_view>

#include "form_description.h"

namespace marovel::forms::diagnostics_window {

enum Control : ControlId {
  LocationsGroup,
  UpdateUrlGroup,
  UpdateUrlBox,
  ReportUploadGroup,
  ReportUploadBox,
  QuarantineGroup,
  QuarantinePathLabel,
  QuarantinePathBox,
  QuarantineUploadLabel,
  QuarantineUploadBox,
  QuarantineSubmitLabel,
  QuarantineSubmitBox,
  CloseButton,
  NoticeLabel,
};

const FormDescription& description();

}  // namespace marovel::forms::diagnostics_window
