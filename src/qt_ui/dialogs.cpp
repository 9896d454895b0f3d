#include "dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace marovel::qt_ui {
namespace {

// Qt's own save dialog, not the platform's, so that it behaves alike everywhere: a name with
// wildcards, such as the initial "*.reg", selects what the listing shows, as in the Windows
// dialog, and is never taken as a file's name. Qt's question before overwriting stays on.
class SaveFileDialog : public QFileDialog {
 public:
  SaveFileDialog(QWidget* owner, const QString& filter) : QFileDialog(owner), filter_(filter) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setNameFilter(filter);
  }

  void accept() override {
    const QStringList chosen = selectedFiles();
    const QFileInfo name(chosen.isEmpty() ? QString() : chosen.constFirst());
    if (!isPattern(name.fileName())) {
      QFileDialog::accept();
      return;
    }
    setDirectory(name.absolutePath());
    list(name.fileName());
    // The pattern stays in the name field, selected, so that a name typed next replaces it.
    if (auto* nameField = qobject_cast<QLineEdit*>(focusWidget())) nameField->selectAll();
  }

 private:
  static bool isPattern(const QString& fileName) { return fileName.contains('*') || fileName.contains('?'); }

  // The given filter stays on offer beside the typed pattern.
  void list(const QString& pattern) {
    QStringList filters{filter_};
    if (!filter_.endsWith('(' + pattern + ')')) filters.append(pattern);
    setNameFilters(filters);
    selectNameFilter(filters.constLast());
  }

  QString filter_;
};

}  // namespace

void QtDialogs::showMessage(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

QString QtDialogs::askSaveFileName(QWidget* owner, const QString& filter, const QString& defaultSuffix,
                                   const QString& initialName) {
  SaveFileDialog dialog(owner, filter);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace marovel::qt_ui
