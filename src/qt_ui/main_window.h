// The main configuration window in Qt: built from its form description, it forwards every
// event to the presenter and shows what the presenter says.
#pragma once

#include <QLocale>
#include <QWidget>

#include "form_builder.h"
#include "main_window_presenter.h"

namespace marovel::qt_ui {

class Dialogs;

class MainWindow : public QWidget, private forms::MainWindowView {
 public:
  // Loads the settings from the registry before the window is first shown.
  explicit MainWindow(Dialogs& dialogs, const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);

 private:
  void connectButtons();

  std::string text(forms::main_window::Control control) const override;
  void setText(forms::main_window::Control control, std::string_view text) override;
  bool isChecked(forms::main_window::Control control) const override;
  void setChecked(forms::main_window::Control control, bool checked) override;
  void setFocus(forms::main_window::Control control) override;
  void showMessage(std::string_view caption, std::string_view text) override;
  std::filesystem::path askSaveFileName(const forms::SaveQuestion& question) override;
  void showDiagnosticsWindow() override;
  void closeWindow() override;

  Dialogs& dialogs_;
  forms::MainWindowPresenter presenter_;
  BuiltForm form_;
};

}  // namespace marovel::qt_ui
