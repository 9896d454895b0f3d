#include "ansi_text_validator.h"

#include "ansi_codepage.h"

namespace marovel::main_window {

QValidator::State AnsiTextValidator::validate(QString& input, int&) const {
  return registry::utf8ToAnsi(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace marovel::main_window
