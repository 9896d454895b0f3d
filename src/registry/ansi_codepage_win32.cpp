// The system's ANSI code page, whichever it is: Windows-1252 on a German system, or UTF-8 (65001)
// where "Unicode UTF-8 for worldwide language support" is set.
#include <windows.h>

#include "ansi_codepage.h"
#include "ansi_codepage_win32.h"

namespace marovel::registry {
namespace {

// UTF-8 and UTF-7 take neither best-fit flags nor a used-default pointer: Windows refuses the
// call for them (ERROR_INVALID_PARAMETER). There every character has a form, and
// WC_ERR_INVALID_CHARS refuses the ill-formed rest.
bool isUnicodeCodePage(UINT codePage) { return codePage == CP_UTF8 || codePage == CP_UTF7; }

std::wstring widen(UINT codePage, DWORD flags, std::string_view text, bool& ok) {
  ok = true;
  if (text.empty()) return {};
  int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) {
    ok = false;
    return {};
  }
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// Nothing when a character has no form of its own in the code page.
std::optional<std::string> narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const bool unicode = isUnicodeCodePage(codePage);
  const DWORD flags = unicode ? (codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0) : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = unicode ? nullptr : &usedDefault;
  const int wideLength = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), wideLength, text.data(), length, nullptr, usedDefaultOut);
  return text;
}

}  // namespace

std::optional<std::string> utf8ToCodePage(std::string_view utf8, unsigned codePage) {
  bool ok = false;
  std::wstring wide = widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
  if (!ok) return std::nullopt;
  return narrow(codePage, wide);
}

std::string codePageToUtf8(std::string_view text, unsigned codePage) {
  bool ok = false;
  std::wstring wide = widen(codePage, 0, text, ok);
  return narrow(CP_UTF8, wide).value_or(std::string());
}

std::optional<std::string> utf8ToAnsi(std::string_view utf8) { return utf8ToCodePage(utf8, GetACP()); }

std::string ansiToUtf8(std::string_view ansi) { return codePageToUtf8(ansi, GetACP()); }

}  // namespace marovel::registry
