#include "form2.h"

#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QTextOption>
#include <limits>
#include <iterator>
#include <string>

#include "agent_locations.h"
#include "twips.h"

namespace marovel::diagnostics_window {
namespace {

constexpr Qt::WindowFlags kFrameFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

constexpr double kControlPoints = 9.75;
constexpr double kNoticePoints = 8.25;

QFont arial(double pointSize) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(pointSize);
  return font;
}

template <typename Control>
Control* addControl(QWidget* container, const QString& name, const QRect& geometry, double pointSize = kControlPoints) {
  auto* control = new Control(container);
  control->setObjectName(name);
  control->setGeometry(geometry);
  control->setFont(arial(pointSize));
  return control;
}

QGroupBox* addGroupBox(QWidget* container, const QString& name, const QString& title, const QRect& geometry) {
  auto* box = addControl<QGroupBox>(container, name, geometry);
  box->setTitle(title);
  return box;
}

QLabel* addLabel(QWidget* container, const QString& name, const QString& text, const QRect& geometry,
                 double pointSize = kControlPoints) {
  auto* label = addControl<QLabel>(container, name, geometry, pointSize);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setText(text);
  return label;
}

// Registry texts go into plain-text boxes: nothing in them is taken as markup.
QLineEdit* addTextBox(QWidget* container, const QString& name, const QString& toolTip, const QRect& geometry) {
  auto* box = addControl<QLineEdit>(container, name, geometry);
  box->setReadOnly(true);
  box->setMaxLength(std::numeric_limits<int>::max());  // shown whole, however long
  box->setToolTip(toolTip);
  return box;
}

void showText(QLineEdit* box, const std::string& text) {
  box->setText(QString::fromStdString(text));
  box->setCursorPosition(0);  // long paths show their beginning
}

}  // namespace

Form2::Form2(QWidget* owner) : QDialog(owner, kFrameFlags) {
  setWindowTitle(QStringLiteral("Form2"));
  resize(twipsToPixels(7470), twipsToPixels(5460));
  createControls();
  setFocusOrder();
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  Form_Load();
}

void Form2::createControls() {
  Frame2 = addGroupBox(this, QStringLiteral("Frame2"), QString(), twipsRect(0, 120, 7455, 4815));

  Frame1 = addGroupBox(Frame2, QStringLiteral("Frame1"), QStringLiteral("Update-URL"), twipsRect(120, 120, 7215, 1935));
  Text1 = addControl<QPlainTextEdit>(Frame1, QStringLiteral("Text1"), twipsRect(120, 360, 6975, 1395));
  Text1->setReadOnly(true);
  Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Text1->setTabChangesFocus(true);
  Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);  // URLs have no blanks to break at
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1->setToolTip(QStringLiteral("Von dieser URL werden Virenupates geholt."));

  Frame5 = addGroupBox(Frame2, QStringLiteral("Frame5"), QStringLiteral("Upload-URL"), twipsRect(120, 2040, 7215, 855));
  Text3 =
      addTextBox(Frame5, QStringLiteral("Text3"), QStringLiteral("Hierher werden Dateien für die Berichte geschickt."),
                 twipsRect(120, 360, 6975, 285));

  Frame3 =
      addGroupBox(Frame2, QStringLiteral("Frame3"), QStringLiteral("Quarantäne"), twipsRect(120, 2880, 7215, 1815));
  Label2_0 = addLabel(Frame3, QStringLiteral("Label2(0)"), QStringLiteral("Pfad"), twipsRect(120, 360, 1095, 255));
  Text4[0] = addTextBox(Frame3, QStringLiteral("Text4(0)"),
                        QStringLiteral("In diesen Ordner kommen Dateien, die sich in Quarantäne befinden."),
                        twipsRect(1320, 360, 5775, 285));
  Label3 = addLabel(Frame3, QStringLiteral("Label3"), QStringLiteral("Upload-URL"), twipsRect(120, 840, 1095, 255));
  Label4 = addLabel(Frame3, QStringLiteral("Label4"), QStringLiteral("Upload-Pfad"), twipsRect(120, 1320, 1095, 375));

  // These two belong to the window and lie over the quarantine group's second and third rows.
  Text4[1] = addTextBox(this, QStringLiteral("Text4(1)"),
                        QStringLiteral("Über diese URL wwerden Informationen über Quarantäne-Dateien verschickt."),
                        twipsRect(1440, 3840, 5775, 285));
  Text4[2] =
      addTextBox(this, QStringLiteral("Text4(2)"),
                 QStringLiteral("Hierher werden Informationen über Quarantäne-Dateien geschickt.") + QString(51, u' '),
                 twipsRect(1440, 4320, 5775, 285));
  Text4[1]->raise();
  Text4[2]->raise();

  // The button keeps the window's own font.
  Command1 = new QPushButton(QStringLiteral("Schließen"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(twipsRect(2640, 5040, 1695, 375));
  Command1->setAutoDefault(false);

  Label1 = addLabel(this, QStringLiteral("Label1"), QStringLiteral("Nur zur Ansicht, nichts änderbar."),
                    twipsRect(4560, 5160, 2895, 255), kNoticePoints);
}

void Form2::setFocusOrder() {
  QWidget* const order[] = {Text3, Text4[0], Command1, Text1, Text4[1], Text4[2]};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  Text3->setFocus();
}

void Form2::Form_Load() {
  AgentLocations locations = loadAgentLocations();
  Text1->setPlainText(QString::fromStdString(locations.updateUrl));
  showText(Text3, locations.reportUploadPath);
  showText(Text4[0], locations.quarantinePath);
  showText(Text4[1], locations.quarantineUploadUrl);
  showText(Text4[2], locations.quarantineSubmitUrl);
}

void Form2::Command1_Click() { close(); }

// There is neither a default nor a cancel button (the button does not press itself on Enter
// either): Enter and Esc leave the window open, as in the main window.
void Form2::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace marovel::diagnostics_window
