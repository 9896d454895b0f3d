#include "diagnostics_window.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace marovel::qt_ui {
namespace {

using namespace forms::diagnostics_window;

constexpr Qt::WindowFlags kFrameFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

}  // namespace

DiagnosticsWindow::DiagnosticsWindow(QWidget* owner)
    : QDialog(owner, kFrameFlags), presenter_(*this), form_(*this, description()) {
  connect(static_cast<QPushButton*>(form_.widget(CloseButton)), &QPushButton::clicked, this,
          [this] { presenter_.onCloseClicked(); });
  presenter_.load();
}

void DiagnosticsWindow::setText(Control control, std::string_view text) {
  const QString shown = utf8(text);
  QWidget* widget = form_.widget(control);
  if (auto* multiLine = qobject_cast<QPlainTextEdit*>(widget)) {
    multiLine->setPlainText(shown);
    return;
  }
  auto* line = static_cast<QLineEdit*>(widget);
  line->setText(shown);
  line->setCursorPosition(0);  // long paths show their beginning
}

void DiagnosticsWindow::closeWindow() { close(); }

// There is neither a default nor a cancel button (the button does not press itself on Enter
// either): Enter and Esc leave the window open, as in the main window.
void DiagnosticsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace marovel::qt_ui
