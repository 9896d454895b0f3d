// marovel-config: the main window loads the agent's settings and shows them; the program ends
// when its last window closes.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

#include "dialogs.h"
#include "form_builder.h"
#include "main_window.h"
#include "main_window_form.h"
#include "quit_when_painted.h"

int main(int argc, char* argv[]) {
  using namespace marovel;
  // A file-size limit then fails a save with the error message instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  const std::string_view title = forms::main_window::kApplicationTitle;
  QApplication::setApplicationName(qt_ui::utf8(title));

  // The user interface is German, Qt's own dialogs and buttons included.
  QTranslator qtTranslations;
  if (qtTranslations.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslations);
  }

  qt_ui::QtDialogs dialogs;
  qt_ui::MainWindow window(dialogs);
  // For the benchmark and the package's install check: start, show the loaded window, end.
  if (qEnvironmentVariableIsSet("MAROVEL_QUIT_WHEN_SHOWN")) new qt_ui::QuitWhenPainted(window);
  window.show();
  return QApplication::exec();
}
