// Windows: a new file beside the target, FlushFileBuffers, then MoveFileExW with write-through.
#include <windows.h>

#include <string>
#include <system_error>

#include "safe_file_writer.h"

namespace marovel::regfile {
namespace {

namespace fs = std::filesystem;

std::string utf8NameOf(const fs::path& path) {
  const std::u8string name = path.u8string();
  return {reinterpret_cast<const char*>(name.data()), name.size()};
}

[[noreturn]] void fail(const fs::path& target, DWORD error) {
  throw FileWriteError("cannot write " + utf8NameOf(target) + ": " +
                       std::system_category().message(static_cast<int>(error)));
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    // A name no other writer uses: the process and a counter of its own.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      path_ = target.wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) +
              L".tmp";
      handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (handle_ == INVALID_HANDLE_VALUE) path_.clear();
  }
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }

  // Returns 0 or the error of the step that failed.
  DWORD fill(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr)) return GetLastError();
      if (written == 0) return ERROR_WRITE_FAULT;
      bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(handle_)) return GetLastError();
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) ? 0 : GetLastError();
  }

  DWORD renameTo(const fs::path& target) {
    if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return GetLastError();
    }
    path_.clear();
    return 0;
  }

 private:
  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

void writeFileSafely(const fs::path& target, std::string_view bytes) {
  TemporaryFile temporary(target);
  if (!temporary.opened()) fail(target, GetLastError());
  if (const DWORD error = temporary.fill(bytes)) fail(target, error);
  if (const DWORD error = temporary.renameTo(target)) fail(target, error);
}

}  // namespace marovel::regfile
