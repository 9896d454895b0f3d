#include "form1.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>
#include <type_traits>

#include "ansi_text_validator.h"
#include "application_title.h"
#include "dialogs.h"
#include "focus_validation_gate.h"
#include "form2.h"
#include "interval_field.h"
#include "reg_export_file.h"

namespace marovel::main_window {
namespace {

// The layout is designed in twips; 15 of them make one pixel at 96 dpi, and Qt scales those
// logical pixels on denser screens.
constexpr int kTwipsPerPixel = 15;

QRect fromTwips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

// Faces with the designed metrics come first; where they are missing, look-alikes follow.
QFont fontOf(const QStringList& families, double points) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(points);
  return font;
}

const QFont& windowFont() {
  static const QFont font = fontOf({"Arial", "Liberation Sans"}, 9.75);
  return font;
}

const QFont& dialogFont() {
  static const QFont font = fontOf({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"}, 8.25);
  return font;
}

const QFont& noticeFont() {
  static const QFont font = fontOf({"Arial", "Liberation Sans"}, 8.25);
  return font;
}

template <class Control>
Control* addControl(QWidget* container, const char* name, const QString& caption, const QRect& geometry,
                    const QFont& font) {
  auto* control = new Control(container);
  control->setObjectName(QString::fromLatin1(name));
  if constexpr (!std::is_same_v<Control, QGroupBox>) control->setText(caption);
  control->setGeometry(geometry);
  control->setFont(font);
  // A line edit would cut a longer stored text at 32767 characters, and applying would store the cut.
  if constexpr (std::is_same_v<Control, QLineEdit>) control->setMaxLength(std::numeric_limits<int>::max());
  if constexpr (std::is_same_v<Control, QLabel>) {
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->lower();  // labels lie beneath the controls they overlap
  }
  return control;
}

char decimalSeparatorOf(const QLocale& locale) {
  QString separator = locale.decimalPoint();
  return separator.size() == 1 && separator[0].unicode() < 0x80 ? separator[0].toLatin1() : '.';
}

std::string toUtf8(const QString& text) { return text.toStdString(); }

}  // namespace

Form1::Form1(Dialogs& dialogs, const QLocale& locale, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), decimalSeparator_(decimalSeparatorOf(locale)) {
  setObjectName("Form1");
  setWindowTitle(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
  setFont(windowFont());
  resize(fromTwips(0, 0, 6105, 3345).size());
  createControls();
  setFocusOrder();
  connectHandlers();
  new FocusValidationGate(this, [this](QWidget* focused) { return mayLeave(focused); });
  Form_Load();
}

void Form1::createControls() {
  Frame1 = addControl<QGroupBox>(this, "Frame1", {}, fromTwips(120, 120, 3375, 3135), dialogFont());
  Label1[5] = addControl<QLabel>(Frame1, "Label1(5)", "Als &Relay-Server einstellen", fromTwips(120, 240, 2700, 255),
                                 windowFont());
  Check1[1] = addControl<QCheckBox>(Frame1, "Check1(1)", "Check1", fromTwips(2520, 240, 255, 255), dialogFont());
  Label1[4] = addControl<QLabel>(Frame1, "Label1(4)", "&Updateintervall", fromTwips(120, 720, 2700, 255),
                                 windowFont());
  Text1[2] = addControl<QLineEdit>(Frame1, "Text1(2)", "1440", fromTwips(2160, 720, 615, 285), dialogFont());
  Label2[0] = addControl<QLabel>(Frame1, "Label2(0)", "min.", fromTwips(2880, 720, 450, 255), windowFont());
  Label1[3] = addControl<QLabel>(Frame1, "Label1(3)", "Updateintervall nach &Fehlversuchen",
                                 fromTwips(120, 1200, 2700, 735), windowFont());
  Label1[3]->setWordWrap(true);
  Text1[3] = addControl<QLineEdit>(Frame1, "Text1(3)", "360", fromTwips(2160, 1320, 615, 285), dialogFont());
  Label2[1] = addControl<QLabel>(Frame1, "Label2(1)", "min.", fromTwips(2880, 1320, 450, 255), windowFont());
  Label3 = addControl<QLabel>(Frame1, "Label3", "Email-Adresse", fromTwips(120, 1920, 1455, 375), windowFont());
  Text2 = addControl<QLineEdit>(Frame1, "Text2", {}, fromTwips(120, 2160, 3135, 360), windowFont());
  Text2->setValidator(new AnsiTextValidator(Text2));
  Command2 = addControl<QPushButton>(Frame1, "Command2", QString::fromUtf8("Über&nehmen"),
                                     fromTwips(840, 2640, 1695, 375), windowFont());
  Command4 = addControl<QPushButton>(this, "Command4", "Konfiguration &speichern", fromTwips(3600, 240, 2415, 375),
                                     windowFont());
  Command1[5] = addControl<QPushButton>(this, "Command1(5)", "&Diagnose", fromTwips(3600, 720, 2415, 375),
                                        windowFont());
  Command1[4] = addControl<QPushButton>(this, "Command1(4)", "&Beenden", fromTwips(3600, 1200, 2415, 375),
                                        windowFont());
  Label4 = addControl<QLabel>(this, "Label4", {}, fromTwips(3600, 2760, 2415, 375), noticeFont());

  Label1[5]->setBuddy(Check1[1]);
  Label1[4]->setBuddy(Text1[2]);
  Label1[3]->setBuddy(Text1[3]);
}

void Form1::setFocusOrder() {
  QWidget* order[] = {Check1[1], Text1[2], Text1[3], Command1[4], Command1[5], Command2, Command4, Text2};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  Check1[1]->setFocus();
}

void Form1::connectHandlers() {
  for (auto [index, button] : Command1) {
    connect(button, &QPushButton::clicked, this, [this, index = index] { Command1_Click(index); });
  }
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

void Form1::Form_Load() {
  showEditedSettings(loadEditedSettings(decimalSeparator_));
  showNotice(probeAgentKeys());
}

void Form1::Text1_Validate(int Index, bool& Cancel) {
  if (settings::isAcceptedIntervalText(toUtf8(Text1[Index]->text()), decimalSeparator_)) return;
  Cancel = true;
  dialogs_.showMessage(this, windowTitle(), QString::fromUtf8("Bitte eine Zahl zwischen 1 und 1440 oder - eingeben!"));
  Text1[Index]->setFocus();
}

void Form1::Command1_Click(int Index) {
  if (Index == 4) close();
  if (Index == 5) showDiagnosticsWindow();
}

void Form1::Command2_Click() {
  EditedSettings settings = editedSettings();
  applyEditedSettings(settings, decimalSeparator_);
  showNotice(noticeAfterApplying(registryHolds(settings, decimalSeparator_)));
}

void Form1::Command4_Click() {
  const QString fileName = dialogs_.askSaveFileName(this, "REG (*.reg)", "reg", "*.reg");
  const EditedSettings settings = editedSettings();  // the flag is read whatever the answer
  if (fileName.isEmpty()) return;  // cancelled
  if (saveRegExportFile(fileName, settings, decimalSeparator_)) return;
  dialogs_.showMessage(this, "Fehlerbehandlung",
                       QString::fromUtf8("Es ist ein Fehler aufgetreten. Es wird nichts gespeichert, bzw. die Datei "
                                         "gelöscht. "));
}

// Made afresh on every click, so that each opening reads the registry again.
void Form1::showDiagnosticsWindow() {
  diagnostics_window::Form2 diagnostics(this);
  diagnostics.exec();
}

EditedSettings Form1::editedSettings() const {
  return {Check1.at(1)->isChecked(), toUtf8(Text1.at(2)->text()), toUtf8(Text1.at(3)->text()), toUtf8(Text2->text())};
}

void Form1::showEditedSettings(const EditedSettings& settings) {
  Check1[1]->setChecked(settings.relayServer);
  Text1[2]->setText(QString::fromStdString(settings.updateSuccessText));
  Text1[3]->setText(QString::fromStdString(settings.updateFailureText));
  Text2->setText(QString::fromStdString(settings.emailAddress));
}

void Form1::showNotice(StatusNotice notice) {
  std::string_view text = statusNoticeText(notice);
  Label4->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool Form1::mayLeave(QWidget* focused) {
  for (auto [index, field] : Text1) {
    if (field != focused) continue;
    bool cancel = false;
    Text1_Validate(index, cancel);
    return !cancel;
  }
  return true;
}

}  // namespace marovel::main_window
