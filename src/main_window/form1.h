// The main configuration window: the agent's relay flag, two update intervals and the
// administrator's e-mail address, with buttons to apply, save, diagnose and end.
#pragma once

#include <QLocale>
#include <QWidget>
#include <map>

#include "edited_settings.h"
#include "status_notice.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace marovel::main_window {

class Dialogs;

// Controls that share a name, told apart by their index.
template <class Control>
using ControlArray = std::map<int, Control*>;

class Form1 : public QWidget {
 public:
  // Loads the settings from the registry before the window is first shown.
  explicit Form1(Dialogs& dialogs, const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);

 private:
  void createControls();
  void setFocusOrder();
  void connectHandlers();

  void Form_Load();
  void Text1_Validate(int Index, bool& Cancel);
  void Command1_Click(int Index);
  void Command2_Click();
  void Command4_Click();
  void showDiagnosticsWindow();

  EditedSettings editedSettings() const;
  void showEditedSettings(const EditedSettings& settings);
  void showNotice(StatusNotice notice);
  bool mayLeave(QWidget* focused);

  Dialogs& dialogs_;
  char decimalSeparator_;

  QGroupBox* Frame1 = nullptr;
  ControlArray<QLabel> Label1;
  ControlArray<QCheckBox> Check1;
  ControlArray<QLineEdit> Text1;
  ControlArray<QLabel> Label2;
  QLabel* Label3 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command4 = nullptr;
  ControlArray<QPushButton> Command1;
  QLabel* Label4 = nullptr;
};

}  // namespace marovel::main_window
