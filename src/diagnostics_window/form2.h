// The read-only diagnostics window: the agent's update, upload and quarantine locations.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace marovel::diagnostics_window {

// Loads its values when created (repairing the update URL in the registry on the way); the
// owner runs exec(). It keeps nothing between openings: create one for each.
class Form2 : public QDialog {
  Q_OBJECT

 public:
  explicit Form2(QWidget* owner);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void createControls();
  void setFocusOrder();

  void Form_Load();
  void Command1_Click();

  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QGroupBox* Frame5 = nullptr;
  QLineEdit* Text3 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QLabel* Label2_0 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Text4[3]{};
  QPushButton* Command1 = nullptr;
  QLabel* Label1 = nullptr;
};

}  // namespace marovel::diagnostics_window
