#include "reg_export_file.h"

#include <QSaveFile>

#include "reg_export_writer.h"

namespace marovel::main_window {

bool saveRegExportFile(const QString& fileName, const EditedSettings& settings, char decimalSeparator) {
  const auto bytes = RegExportWriter(settings, decimalSeparator);
  if (!bytes) return false;

  QSaveFile file(fileName);
  // Writing straight into the chosen file could leave half of it behind.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(bytes->size());
  // Uncommitted, the temporary file goes with `file`.
  if (file.write(bytes->data(), size) != size) return false;
  return file.commit();
}

}  // namespace marovel::main_window
