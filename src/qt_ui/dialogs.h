// The modal dialogs the main window asks; tests put answers of their own in their place.
#pragma once

#include <QString>

class QWidget;

namespace marovel::qt_ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A message with an OK button only and no icon; returns when it is closed.
  virtual void showMessage(QWidget* owner, const QString& caption, const QString& text) = 0;

  // The file name chosen for saving, or an empty one when the user cancelled.
  virtual QString askSaveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix,
                                  const QString& initialName) = 0;
};

// The toolkit's own message box and save dialog.
class QtDialogs final : public Dialogs {
 public:
  void showMessage(QWidget* owner, const QString& caption, const QString& text) override;
  QString askSaveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix,
                          const QString& initialName) override;
};

}  // namespace marovel::qt_ui
