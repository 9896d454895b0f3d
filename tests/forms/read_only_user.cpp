// Test helper: as "nobody" (when started as root), opens both windows' presenters on the store
// that MAROVEL_REGISTRY names and prints what they show, one "control=text" a line; then applies
// with the relay box turned over and prints the notice. A process of its own, so that no store
// opened with root's rights is reused.
#include <cstdio>
#include <string>

#include "diagnostics_window_presenter.h"
#include "fake_views.h"
#include "main_window_presenter.h"
#include "posix_faults.h"

using namespace marovel::forms;

namespace {

void print(const char* control, const std::string& text) { std::printf("%s=%s\n", control, text.c_str()); }

}  // namespace

int main() {
  marovel::testing::WithoutRootRights nobody;
  using namespace main_window;
  FakeMainWindow main;
  MainWindowPresenter presenter(main, ',');
  presenter.load();
  print("relay", main.isChecked(RelayCheck) ? "1" : "0");
  print("update", main.text(UpdateIntervalField));
  print("retry", main.text(RetryIntervalField));
  print("email", main.text(EmailField));
  print("notice", main.text(NoticeLabel));
  main.setChecked(RelayCheck, !main.isChecked(RelayCheck));
  presenter.onApplyClicked();
  print("applied", main.text(NoticeLabel));

  FakeDiagnosticsWindow diagnostics;
  DiagnosticsWindowPresenter(diagnostics).load();
  print("updateUrl", diagnostics.texts[diagnostics_window::UpdateUrlBox]);
  print("quarantinePath", diagnostics.texts[diagnostics_window::QuarantinePathBox]);
  return 0;
}
