#include "form_builder.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextOption>
#include <limits>

namespace marovel::qt_ui {
namespace {

using forms::ControlDescription;
using forms::ControlKind;

// The notice line: a status bar named by its text, so that "read status bar" finds it and its
// changes go out as name changes.
class StatusLine : public QLabel {
 public:
  using QLabel::QLabel;
};

class AccessibleStatusLine : public QAccessibleWidget {
 public:
  explicit AccessibleStatusLine(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}
  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name ? static_cast<QLabel*>(widget())->text() : QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* statusLineFactory(const QString&, QObject* object) {
  auto* line = dynamic_cast<StatusLine*>(object);
  return line ? new AccessibleStatusLine(line) : nullptr;
}

QWidget* labelFor(QWidget* container, const ControlDescription& control, bool statusLine) {
  auto* label = statusLine ? new StatusLine(container) : new QLabel(container);
  label->setTextFormat(Qt::PlainText);  // registry texts are never taken as markup
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(control.wordWrap);
  label->setText(utf8(control.caption));
  return label;
}

QWidget* lineEditFor(QWidget* container, const ControlDescription& control) {
  auto* edit = new QLineEdit(container);
  // A line edit would cut a longer stored text at 32767 characters, and applying would store the cut.
  edit->setMaxLength(std::numeric_limits<int>::max());
  edit->setReadOnly(control.readOnly);
  edit->setText(utf8(control.caption));
  return edit;
}

QWidget* plainTextEditFor(QWidget* container, const ControlDescription& control) {
  auto* edit = new QPlainTextEdit(container);
  edit->setReadOnly(control.readOnly);
  edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  edit->setTabChangesFocus(true);
  edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);  // URLs have no blanks to break at
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit->setPlainText(utf8(control.caption));
  return edit;
}

QWidget* buttonFor(QWidget* container, const ControlDescription& control) {
  auto* button = new QPushButton(utf8(control.caption), container);
  button->setAutoDefault(false);  // neither window has a default button that Enter presses
  return button;
}

QWidget* widgetFor(QWidget* container, const ControlDescription& control, bool statusLine) {
  switch (control.kind) {
    case ControlKind::GroupBox:
      return new QGroupBox(utf8(control.caption), container);
    case ControlKind::Label:
      return labelFor(container, control, statusLine);
    case ControlKind::CheckBox:
      // A hidden caption is kept as the text: the designed width leaves no room to show it.
      return new QCheckBox(utf8(control.caption), container);
    case ControlKind::TextBox:
      return lineEditFor(container, control);
    case ControlKind::MultiLineTextBox:
      return plainTextEditFor(container, control);
    case ControlKind::Button:
      return buttonFor(container, control);
  }
  return nullptr;
}

// Names and descriptions come from the description, so that screen readers hear what both front
// ends say; a hidden caption is never one of them.
void describeForScreenReaders(QWidget& widget, const forms::FormDescription& form, const ControlDescription& control) {
  if (!forms::isFocusable(control.kind)) return;
  widget.setAccessibleName(utf8(forms::accessibleName(form, control.id)));
  widget.setAccessibleDescription(utf8(control.toolTip));
}

}  // namespace

QString utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont fontOf(const forms::Font& font) {
  QStringList families;
  for (std::string_view face : font.faces) families.append(utf8(face));
  QFont result;
  result.setFamilies(families);
  result.setPointSizeF(font.points);
  return result;
}

QRect pixelsOf(const forms::TwipsRect& rect) {
  using forms::twipsToPixels;
  return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width), twipsToPixels(rect.height)};
}

BuiltForm::BuiltForm(QWidget& window, const forms::FormDescription& form) {
  window.setObjectName(utf8(form.designedName));
  window.setWindowTitle(utf8(form.caption));
  std::optional<QFont> windowFont;
  if (form.font) {
    windowFont = fontOf(*form.font);
    window.setFont(*windowFont);
  }
  window.resize(forms::twipsToPixels(form.clientWidth), forms::twipsToPixels(form.clientHeight));
  static const bool statusLinesKnown = (QAccessible::installFactory(statusLineFactory), true);
  (void)statusLinesKnown;
  for (const ControlDescription& control : form.controls) {
    widgets_[control.id] = create(window, control, windowFont, control.id == form.statusLine);
  }
  for (const ControlDescription& control : form.controls) {
    if (control.labelFor != forms::kWindow) {
      static_cast<QLabel*>(widget(control.id))->setBuddy(widget(control.labelFor));
    }
    describeForScreenReaders(*widget(control.id), form, control);
  }
  setTabOrder(form);
}

forms::ControlId BuiltForm::idOf(const QWidget* target) const {
  for (const auto& [id, built] : widgets_) {
    if (built == target) return id;
  }
  return forms::kWindow;
}

QWidget* BuiltForm::create(QWidget& window, const ControlDescription& control, const std::optional<QFont>& windowFont,
                           bool statusLine) {
  QWidget* container = control.container == forms::kWindow ? &window : widget(control.container);
  QWidget* built = widgetFor(container, control, statusLine);
  built->setObjectName(utf8(control.designedName));
  built->setGeometry(pixelsOf(control.rect));
  built->setToolTip(utf8(control.toolTip));
  // Set on every control: a group box's own font must not pass to what lies in it.
  if (control.font) {
    built->setFont(fontOf(*control.font));
  } else if (windowFont) {
    built->setFont(*windowFont);
  }
  if (control.kind == ControlKind::Label) built->lower();  // labels lie beneath the controls they overlap
  return built;
}

void BuiltForm::setTabOrder(const forms::FormDescription& form) {
  const std::vector<forms::ControlId> order = forms::tabOrder(form);
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(widget(order[i - 1]), widget(order[i]));
  if (!order.empty()) widget(order.front())->setFocus();
}

}  // namespace marovel::qt_ui
