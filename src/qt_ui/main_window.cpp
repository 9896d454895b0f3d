#include "main_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "ansi_text_validator.h"
#include "dialogs.h"
#include "diagnostics_window.h"
#include "focus_validation_gate.h"

namespace marovel::qt_ui {
namespace {

using namespace forms::main_window;

// The locale's decimal separator as the interval fields use it; '.' where it is not one ASCII character.
char decimalSeparatorOf(const QLocale& locale) {
  QString separator = locale.decimalPoint();
  return separator.size() == 1 && separator[0].unicode() < 0x80 ? separator[0].toLatin1() : '.';
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, const QLocale& locale, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), presenter_(*this, decimalSeparatorOf(locale)), form_(*this, description()) {
  static_cast<QLineEdit*>(form_.widget(EmailField))->setValidator(new AnsiTextValidator(form_.widget(EmailField)));
  connectButtons();
  new FocusValidationGate(this, [this](QWidget* focused) { return presenter_.mayLeave(form_.idOf(focused)); });
  presenter_.load();
}

void MainWindow::connectButtons() {
  auto onClick = [this](Control button, void (forms::MainWindowPresenter::*handler)()) {
    connect(static_cast<QAbstractButton*>(form_.widget(button)), &QAbstractButton::clicked, this,
            [this, handler] { (presenter_.*handler)(); });
  };
  onClick(ApplyButton, &forms::MainWindowPresenter::onApplyClicked);
  onClick(SaveButton, &forms::MainWindowPresenter::onSaveClicked);
  onClick(DiagnoseButton, &forms::MainWindowPresenter::onDiagnoseClicked);
  onClick(EndButton, &forms::MainWindowPresenter::onEndClicked);
}

std::string MainWindow::text(Control control) const {
  return static_cast<QLineEdit*>(form_.widget(control))->text().toStdString();
}

void MainWindow::setText(Control control, std::string_view text) {
  QWidget* widget = form_.widget(control);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(utf8(text));
  } else {
    static_cast<QLineEdit*>(widget)->setText(utf8(text));
  }
}

bool MainWindow::isChecked(Control control) const {
  return static_cast<QCheckBox*>(form_.widget(control))->isChecked();
}

void MainWindow::setChecked(Control control, bool checked) {
  static_cast<QCheckBox*>(form_.widget(control))->setChecked(checked);
}

void MainWindow::setFocus(Control control) { form_.widget(control)->setFocus(); }

void MainWindow::showMessage(std::string_view caption, std::string_view text) {
  dialogs_.showMessage(this, utf8(caption), utf8(text));
}

std::filesystem::path MainWindow::askSaveFileName(const forms::SaveQuestion& question) {
  const QString name = dialogs_.askSaveFileName(this, utf8(question.filter), utf8(question.defaultExtension),
                                                utf8(question.initialName));
  return QFile::encodeName(name).toStdString();  // the bytes Qt itself would open
}

// Made afresh on every click, so that each opening reads the registry again.
void MainWindow::showDiagnosticsWindow() {
  DiagnosticsWindow diagnostics(this);
  diagnostics.exec();
}

void MainWindow::closeWindow() { close(); }

}  // namespace marovel::qt_ui
