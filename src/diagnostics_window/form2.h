// The read-only diagnostics window: the agent's update, upload and quarantine locations.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace marovel::diagnostics_window {

struct AgentLocations;

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
  void fillTextBoxes(const AgentLocations& locations);

  QGroupBox* Frame2;
  QGroupBox* Frame1;
  QPlainTextEdit* Text1;
  QGroupBox* Frame5;
  QLineEdit* Text3;
  QGroupBox* Frame3;
  QLabel* Label2_0;
  QLabel* Label3;
  QLabel* Label4;
  QLineEdit* Text4[3];
  QPushButton* Command1;
  QLabel* Label1;
};

}  // namespace marovel::diagnostics_window
