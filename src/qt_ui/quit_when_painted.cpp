#include "quit_when_painted.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace marovel::qt_ui {

QuitWhenPainted::QuitWhenPainted(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

// Queued, so that the controls paint too and the frame goes out before the windows close.
bool QuitWhenPainted::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Paint) QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  return false;
}

}  // namespace marovel::qt_ui
