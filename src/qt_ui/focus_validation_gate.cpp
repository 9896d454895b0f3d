#include "focus_validation_gate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace marovel::qt_ui {

FocusValidationGate::FocusValidationGate(QWidget* window, Validator validator)
    : QObject(window), window_(window), validator_(std::move(validator)) {
  qApp->installEventFilter(this);
}

FocusValidationGate::~FocusValidationGate() { qApp->removeEventFilter(this); }

bool FocusValidationGate::eventFilter(QObject* watched, QEvent* event) {
  if (validating_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return filterMousePress(watched, static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::MouseButtonRelease:
      if (swallowRelease_ && watched == window_->windowHandle()) {
        swallowRelease_ = false;
        return true;
      }
      return false;
    case QEvent::KeyPress:
      return filterKey(watched, event);
    case QEvent::Shortcut:
      return filterAccessKey(watched);
    default:
      return false;
  }
}

bool FocusValidationGate::filterMousePress(QObject* watched, const QPoint& position) {
  // Only the press as it reaches the window comes before Qt's own focus change.
  if (watched != window_->windowHandle()) return false;
  swallowRelease_ = !mayFocus(clickFocusTargetAt(position));
  return swallowRelease_;
}

// Alt with a letter that names no control reaches the widget as a key: a text box would type
// the letter, which the Windows program never does. Shortcuts were tried before.
bool FocusValidationGate::filterKey(QObject* watched, QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const bool altOnly = (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier;
  if (altOnly && !key->text().isEmpty() && key->text().front().isPrint() && belongsToWindow(watched)) return true;
  return filterTabKey(watched, key);
}

bool FocusValidationGate::filterTabKey(QObject* watched, QKeyEvent* key) {
  bool isTab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
  if (!isTab || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || watched != window_->focusWidget()) {
    return false;
  }
  // The window has several controls that take the focus: Tab always leaves this one.
  return !mayLeaveFocused();
}

bool FocusValidationGate::filterAccessKey(QObject* watched) {
  if (!belongsToWindow(watched)) return false;
  auto* widget = static_cast<QWidget*>(watched);
  auto* label = qobject_cast<QLabel*>(widget);
  QWidget* target = label ? label->buddy() : widget;
  if (!target) return false;
  // Taken over in full, so that a label only moves the focus (Qt would also click a buddy
  // button) and a button is clicked at once rather than after Qt's animation.
  if (mayFocus(target)) {
    target->setFocus(Qt::ShortcutFocusReason);
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button) button->click();
  }
  return true;
}

bool FocusValidationGate::mayFocus(QWidget* target) {
  return !target || target == window_->focusWidget() || mayLeaveFocused();
}

bool FocusValidationGate::mayLeaveFocused() {
  QWidget* focused = window_->focusWidget();
  if (!focused) return true;
  validating_ = true;
  bool allowed = validator_(focused);
  validating_ = false;
  return allowed;
}

// The widget Qt would give the focus to for a press at this point: the nearest one under it
// that takes the focus by click.
QWidget* FocusValidationGate::clickFocusTargetAt(const QPoint& position) const {
  QWidget* widget = window_->childAt(position);
  for (; widget && widget != window_; widget = widget->parentWidget()) {
    if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) return widget;
  }
  return nullptr;
}

bool FocusValidationGate::belongsToWindow(QObject* object) const {
  return object->isWidgetType() && static_cast<QWidget*>(object)->window() == window_;
}

}  // namespace marovel::qt_ui
