// Validates the control that holds the focus before any other control of one window takes it,
// and swallows the whole action when the validation refuses: the click, the Tab step, the
// access key. Qt moves the focus before a widget sees the event, so the gate sits in front:
// a mouse press is stopped where it reaches the window, a Tab key and an access key where
// they reach their widget. Closing the window or switching to another application validates
// nothing; Ctrl+Tab and Alt with a letter that names nothing do nothing.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QKeyEvent;
class QWidget;

namespace marovel::qt_ui {

class FocusValidationGate : public QObject {
 public:
  // True when the focus may leave the given control.
  using Validator = std::function<bool(QWidget* focused)>;

  // Watches the top-level widget `window`; installs itself on the application.
  FocusValidationGate(QWidget* window, Validator validator);
  ~FocusValidationGate() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool filterMousePress(QObject* watched, const QPoint& position);
  bool filterKey(QObject* watched, QEvent* event);
  bool filterTabKey(QObject* watched, QKeyEvent* key);
  bool filterAccessKey(QObject* watched);
  bool mayFocus(QWidget* target);
  bool mayLeaveFocused();
  QWidget* clickFocusTargetAt(const QPoint& position) const;
  bool belongsToWindow(QObject* object) const;

  QWidget* window_;
  Validator validator_;
  bool validating_ = false;      // the message box of a refusal takes the focus itself
  bool swallowRelease_ = false;  // the release that ends a swallowed press
};

}  // namespace marovel::qt_ui
