#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace marovel::main_window {

void QtDialogs::showMessage(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

QString QtDialogs::askSaveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix,
                                   const QString& initialName) {
  // Qt's own question before overwriting an existing file stays on.
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace marovel::main_window
