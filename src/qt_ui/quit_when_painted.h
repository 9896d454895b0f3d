// Ends the program once a window has painted for the first time, so that scripts/bench can time
// the start to a shown, loaded window; marovel-config does so when MAROVEL_QUIT_WHEN_SHOWN is set.
#pragma once

#include <QObject>

class QWidget;

namespace marovel::qt_ui {

class QuitWhenPainted : public QObject {
 public:
  explicit QuitWhenPainted(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace marovel::qt_ui
