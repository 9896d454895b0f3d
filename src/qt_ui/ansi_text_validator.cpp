#include "ansi_text_validator.h"

#include "main_window_presenter.h"

namespace marovel::qt_ui {

QValidator::State AnsiTextValidator::validate(QString& input, int&) const {
  return forms::MainWindowPresenter::mayHoldEmailText(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace marovel::qt_ui
