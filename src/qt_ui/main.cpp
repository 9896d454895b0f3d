// marovel-config: the main window loads the agent's settings and shows them; the program ends
// when its last window closes.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>
#include <thread>

#include "dialogs.h"
#include "main_window.h"
#include "main_window_form.h"
#include "quit_when_painted.h"
#include "status_notice.h"

int main(int argc, char* argv[]) {
  using namespace marovel;
  // A file-size limit then fails a save with the error message instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // While Qt starts, a thread of its own opens the registry and looks at the agent's keys, so that
  // the window's reads find the store open and checked.
  std::jthread openRegistryEarly([] { forms::probeAgentKeys(); });
  QApplication application(argc, argv);
  const std::string_view title = forms::main_window::kApplicationTitle;
  QApplication::setApplicationName(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));

  // The user interface is German, Qt's own dialogs and buttons included.
  QTranslator qtTranslations;
  if (qtTranslations.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslations);
  }

  qt_ui::QtDialogs dialogs;
  qt_ui::MainWindow window(dialogs);
  if (qEnvironmentVariableIsSet("MAROVEL_QUIT_WHEN_SHOWN")) new qt_ui::QuitWhenPainted(window);
  window.show();
  return QApplication::exec();
}
