#include "main_window_presenter.h"

#include "ansi_codepage.h"
#include "interval_field.h"
#include "settings_reg_file.h"

namespace marovel::forms {

using namespace main_window;

MainWindowPresenter::MainWindowPresenter(MainWindowView& view, char decimalSeparator)
    : view_(view), decimalSeparator_(decimalSeparator) {}

void MainWindowPresenter::load() {
  const LoadedSettings loaded = loadEditedSettings(decimalSeparator_);
  show(loaded.settings);
  showNotice(noticeAfterLoading(loaded.failedRead));
}

bool MainWindowPresenter::mayLeave(ControlId focused) {
  if (focused != UpdateIntervalField && focused != RetryIntervalField) return true;
  const auto field = static_cast<Control>(focused);
  if (settings::isAcceptedIntervalText(view_.text(field), decimalSeparator_)) return true;
  view_.showMessage(kApplicationTitle, kIntervalRefusal);
  view_.setFocus(field);
  return false;
}

bool MainWindowPresenter::mayHoldEmailText(std::string_view text) { return registry::utf8ToAnsi(text).has_value(); }

void MainWindowPresenter::onApplyClicked() {
  const EditedSettings settings = editedSettings();
  applyEditedSettings(settings, decimalSeparator_);
  showNotice(noticeAfterApplying(registryHolds(settings, decimalSeparator_)));
}

void MainWindowPresenter::onSaveClicked() {
  const std::filesystem::path fileName =
      view_.askSaveFileName({kSaveFilter, kSaveDefaultExtension, kSaveInitialName});
  const EditedSettings settings = editedSettings();  // the flag is read whatever the answer
  if (fileName.empty()) return;                       // cancelled
  if (saveSettingsRegFile(fileName, settings, decimalSeparator_)) return;
  view_.showMessage(kSaveFailureCaption, kSaveFailureText);
}

// A new window each time, so that each opening reads the registry again.
void MainWindowPresenter::onDiagnoseClicked() { view_.showDiagnosticsWindow(); }

void MainWindowPresenter::onEndClicked() { view_.closeWindow(); }

EditedSettings MainWindowPresenter::editedSettings() const {
  return {view_.isChecked(RelayCheck), view_.text(UpdateIntervalField), view_.text(RetryIntervalField),
          view_.text(EmailField)};
}

void MainWindowPresenter::show(const EditedSettings& settings) {
  view_.setChecked(RelayCheck, settings.relayServer);
  view_.setText(UpdateIntervalField, settings.updateSuccessText);
  view_.setText(RetryIntervalField, settings.updateFailureText);
  view_.setText(EmailField, settings.emailAddress);
}

void MainWindowPresenter::showNotice(StatusNotice notice) { view_.setText(NoticeLabel, statusNoticeText(notice)); }

}  // namespace marovel::forms
