// Lets into a text box only what the registry's ANSI code page can hold, so that nothing
// typed or pasted is later stored as "?".
#pragma once

#include <QValidator>

namespace marovel::qt_ui {

class AnsiTextValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

}  // namespace marovel::qt_ui
