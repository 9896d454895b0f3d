#include "dialogs.h"

#include <commdlg.h>

#include <vector>

#include "wide_text.h"

namespace marovel::win32_ui {
namespace {

using SaveDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// comdlg32 brings shell32 and the print spooler with it: loaded, from the system folder only,
// when the save dialog is first wanted rather than at every start.
SaveDialogFunction saveDialogFunction() {
  static const SaveDialogFunction function = [] {
    HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    FARPROC found = module != nullptr ? GetProcAddress(module, "GetSaveFileNameW") : nullptr;
    return reinterpret_cast<SaveDialogFunction>(reinterpret_cast<void (*)()>(found));
  }();
  return function;
}

// The pattern a filter text names in its parentheses: "REG (*.reg)" lists "*.reg".
std::wstring patternOfFilter(std::string_view filter) {
  const auto open = filter.rfind('(');
  const auto close = filter.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return L"*.*";
  return widen(filter.substr(open + 1, close - open - 1));
}

}  // namespace

void NativeDialogs::showMessage(HWND owner, std::string_view caption, std::string_view text) {
  MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(), MB_OK);
}

// The initial name is a pattern: the dialog lists what it matches and never takes it as a file.
std::filesystem::path NativeDialogs::askSaveFileName(HWND owner, const forms::SaveQuestion& question) {
  std::wstring filter = widen(question.filter);
  filter.push_back(L'\0');
  filter += patternOfFilter(question.filter);
  filter.push_back(L'\0');
  const std::wstring extension = widen(question.defaultExtension);
  std::vector<wchar_t> file(32768, L'\0');
  widen(question.initialName).copy(file.data(), file.size() - 1);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  const SaveDialogFunction showSaveDialog = saveDialogFunction();
  // Part of every Windows; should it be missing, no name is chosen and nothing is written.
  if (showSaveDialog == nullptr || !showSaveDialog(&dialog)) return {};
  return std::filesystem::path(file.data());
}

}  // namespace marovel::win32_ui
