// The floor for marovel-config's start: the main window's controls, fonts and German Qt
// translations, built plainly from the same form description (without the form builder's
// tab order, buddies, tool tips and focus), with no logic and no registry. The controls show,
// as fixed texts, what marovel-config shows for the store scripts/bench loads, so that both
// draw the same glyphs in the same fonts. It ends once the window has painted, as
// marovel-config does under scripts/bench.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <map>

#include "form_builder.h"
#include "main_window_form.h"
#include "quit_when_painted.h"

namespace {

using marovel::forms::ControlDescription;
using marovel::forms::ControlKind;
using marovel::forms::twipsToPixels;
using marovel::qt_ui::fontOf;
using marovel::qt_ui::utf8;

QWidget* plainControl(ControlKind kind, const QString& caption, QWidget* container) {
  switch (kind) {
    case ControlKind::GroupBox:
      return new QGroupBox(caption, container);
    case ControlKind::CheckBox:
      return new QCheckBox(caption, container);
    case ControlKind::TextBox:
    case ControlKind::MultiLineTextBox:
      return new QLineEdit(caption, container);
    case ControlKind::Button:
      return new QPushButton(caption, container);
    case ControlKind::Label:
      break;
  }
  return new QLabel(caption, container);
}

// What the loaded window shows for scripts/demo-agent.reg in place of the designed caption.
QString shownText(const ControlDescription& control) {
  using namespace marovel::forms::main_window;
  switch (control.id) {
    case UpdateIntervalField:
      return "240";
    case RetryIntervalField:
      return "30";
    case EmailField:
      return "it-admin@example.org";
    case NoticeLabel:
      return utf8(kNoticeReady);
    default:
      return utf8(control.caption);
  }
}

void buildControls(QWidget& window, const QFont& windowFont) {
  std::map<marovel::forms::ControlId, QWidget*> built;
  for (const ControlDescription& control : marovel::forms::main_window::description().controls) {
    QWidget* container = control.container == marovel::forms::kWindow ? &window : built.at(control.container);
    QWidget* widget = plainControl(control.kind, shownText(control), container);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(true);
    widget->setGeometry(marovel::qt_ui::pixelsOf(control.rect));
    widget->setFont(control.font != nullptr ? fontOf(*control.font) : windowFont);
    built[control.id] = widget;
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QTranslator qtTranslations;
  if (qtTranslations.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslations);
  }
  const marovel::forms::FormDescription& form = marovel::forms::main_window::description();
  QWidget window;
  window.setWindowTitle(utf8(form.caption));
  const QFont windowFont = fontOf(*form.font);
  window.setFont(windowFont);
  window.resize(twipsToPixels(form.clientWidth), twipsToPixels(form.clientHeight));
  buildControls(window, windowFont);
  new marovel::qt_ui::QuitWhenPainted(window);
  window.show();
  return QApplication::exec();
}
