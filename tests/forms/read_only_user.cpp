// Test helper: as "nobody" (when started as root), opens both windows' presenters on the store
// that MAROVEL_REGISTRY names and prints what they show, one "name=text" a line; then applies
// with the relay box turned over and prints the notice. A process of its own, so that no store
// opened with root's rights is reused.
#include <cstdio>

#include "diagnostics_window_presenter.h"
#include "fake_views.h"
#include "main_window_presenter.h"
#include "posix_faults.h"

using namespace marovel::forms;

int main() {
  marovel::testing::WithoutRootRights nobody;
  using namespace main_window;
  FakeMainWindow main;
  MainWindowPresenter presenter(main, ',');
  presenter.load();
  std::printf("relay=%d\n", main.isChecked(RelayCheck) ? 1 : 0);
  for (auto [name, field] : {std::pair{"update", UpdateIntervalField}, {"retry", RetryIntervalField},
                             {"email", EmailField}, {"notice", NoticeLabel}}) {
    std::printf("%s=%s\n", name, main.text(field).c_str());
  }
  main.setChecked(RelayCheck, !main.isChecked(RelayCheck));
  presenter.onApplyClicked();
  std::printf("applied=%s\n", main.text(NoticeLabel).c_str());

  FakeDiagnosticsWindow diagnostics;
  DiagnosticsWindowPresenter(diagnostics).load();
  std::printf("updateUrl=%s\n", diagnostics.texts[diagnostics_window::UpdateUrlBox].c_str());
  std::printf("quarantinePath=%s\n", diagnostics.texts[diagnostics_window::QuarantinePathBox].c_str());
  return 0;
}
