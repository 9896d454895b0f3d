// Program start: the main window loads the agent's settings and shows them; the program ends
// when its last window closes.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "application_title.h"
#include "dialogs.h"
#include "form1.h"

int main(int argc, char* argv[]) {
  using namespace marovel::main_window;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));

  // The user interface is German, Qt's own dialogs and buttons included.
  QTranslator qtTranslations;
  if (qtTranslations.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslations);
  }

  QtDialogs dialogs;
  Form1 form(dialogs);
  form.show();
  return QApplication::exec();
}
