// Views that only record what a presenter shows and answer as a test tells them, so that the
// presenters' decisions are tested without a toolkit (natively and, built for Windows, under Wine).
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "diagnostics_window_view.h"
#include "main_window_view.h"

namespace marovel::forms {

class FakeMainWindow : public MainWindowView {
 public:
  std::string text(main_window::Control control) const override;
  void setText(main_window::Control control, std::string_view text) override { texts[control] = text; }
  bool isChecked(main_window::Control control) const override;
  void setChecked(main_window::Control control, bool checked) override { checked_[control] = checked; }
  void setFocus(main_window::Control control) override { focused = control; }
  void showMessage(std::string_view caption, std::string_view text) override { messages.emplace_back(caption, text); }
  std::filesystem::path askSaveFileName(const SaveQuestion& question) override;
  void showDiagnosticsWindow() override { ++diagnosticsOpenings; }
  void closeWindow() override { closed = true; }

  std::map<main_window::Control, std::string> texts;
  ControlId focused = kWindow;
  std::vector<std::pair<std::string, std::string>> messages;  // caption, text
  std::vector<std::vector<std::string>> saveQuestions;        // filter, default extension, initial name
  std::filesystem::path saveAnswer;                           // empty as when cancelled
  int diagnosticsOpenings = 0;
  bool closed = false;

 private:
  std::map<main_window::Control, bool> checked_;
};

class FakeDiagnosticsWindow : public DiagnosticsWindowView {
 public:
  void setText(diagnostics_window::Control control, std::string_view text) override { texts[control] = text; }
  void closeWindow() override { closed = true; }

  std::map<diagnostics_window::Control, std::string> texts;
  bool closed = false;
};

}  // namespace marovel::forms
