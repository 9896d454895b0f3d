#include "diagnostics_window_presenter.h"

#include "agent_locations.h"

namespace marovel::forms {

using namespace diagnostics_window;

DiagnosticsWindowPresenter::DiagnosticsWindowPresenter(DiagnosticsWindowView& view) : view_(view) {}

void DiagnosticsWindowPresenter::load() {
  const AgentLocations locations = loadAgentLocations();
  view_.setText(UpdateUrlBox, locations.updateUrl);
  view_.setText(ReportUploadBox, locations.reportUploadPath);
  view_.setText(QuarantinePathBox, locations.quarantinePath);
  view_.setText(QuarantineUploadBox, locations.quarantineUploadUrl);
  view_.setText(QuarantineSubmitBox, locations.quarantineSubmitUrl);
}

void DiagnosticsWindowPresenter::onCloseClicked() { view_.closeWindow(); }

}  // namespace marovel::forms
