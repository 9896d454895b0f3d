#include "fake_views.h"

namespace marovel::forms {

std::string FakeMainWindow::text(main_window::Control control) const {
  auto found = texts.find(control);
  return found == texts.end() ? std::string() : found->second;
}

bool FakeMainWindow::isChecked(main_window::Control control) const {
  auto found = checked_.find(control);
  return found != checked_.end() && found->second;
}

std::filesystem::path FakeMainWindow::askSaveFileName(const SaveQuestion& question) {
  saveQuestions.push_back({std::string(question.filter), std::string(question.defaultExtension),
                           std::string(question.initialName)});
  return saveAnswer;
}

}  // namespace marovel::forms
