// The read-only diagnostics window in Qt: built from its form description; the presenter loads it.
#pragma once

#include <QDialog>

#include "diagnostics_window_presenter.h"
#include "form_builder.h"

namespace marovel::qt_ui {

// Loads its values when created (repairing the update URL in the registry on the way); the
// owner runs exec(). It keeps nothing between openings: create one for each.
class DiagnosticsWindow : public QDialog, private forms::DiagnosticsWindowView {
  Q_OBJECT

 public:
  explicit DiagnosticsWindow(QWidget* owner);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void setText(forms::diagnostics_window::Control control, std::string_view text) override;
  void closeWindow() override;

  forms::DiagnosticsWindowPresenter presenter_;
  BuiltForm form_;
};

}  // namespace marovel::qt_ui
