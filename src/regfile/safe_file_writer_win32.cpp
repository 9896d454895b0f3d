// Windows: a new file beside the target and FlushFileBuffers; then ReplaceFileW over an existing
// file, so that the new one keeps its permissions and attributes, or MoveFileExW with
// write-through for a new name. The existing file is never opened for writing.
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

// A name beside the target that no other writer uses: the process and a counter of its own.
std::wstring nameBeside(const fs::path& target, const wchar_t* ending) {
  static unsigned counter = 0;
  return target.wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + ending;
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      path_ = nameBeside(target, L".tmp");
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

  // A new name, or a reparse point: the name itself is replaced, nothing it points to is followed.
  DWORD renameTo(const fs::path& target) {
    if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return GetLastError();
    }
    path_.clear();
    return 0;
  }

  // The older file goes to a backup name and is deleted once the new one holds the name; if
  // ReplaceFileW stops halfway, with the older file moved aside, it is put back. The attributes
  // a person sets are given to the new file first, as not every ReplaceFileW carries them.
  DWORD replace(const fs::path& target, DWORD attributes) {
    constexpr DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((attributes & kCarried) != 0 && !SetFileAttributesW(path_.c_str(), attributes & kCarried)) {
      return GetLastError();
    }
    std::wstring backup;
    do backup = nameBeside(target, L".bak");
    while (GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (ReplaceFileW(target.c_str(), path_.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
      path_.clear();
      DeleteFileW(backup.c_str());
      return 0;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
      return renameTo(target);  // the older file went meanwhile
    }
    if (GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES) {
      MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    return error;
  }

 private:
  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

bool isPlaceToWriteInto(const fs::path&) { return false; }

void writeFileSafely(const fs::path& target, std::string_view bytes) {
  const DWORD existing = GetFileAttributesW(target.c_str());
  const bool exists = existing != INVALID_FILE_ATTRIBUTES;
  // A folder (a junction too) is never replaced, nor a read-only file, as Windows itself refuses.
  if (exists && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0) fail(target, ERROR_ACCESS_DENIED);
  if (exists && (existing & FILE_ATTRIBUTE_READONLY) != 0) fail(target, ERROR_ACCESS_DENIED);
  TemporaryFile temporary(target);
  if (!temporary.opened()) fail(target, GetLastError());
  if (const DWORD error = temporary.fill(bytes)) fail(target, error);
  const bool replaceAsName = !exists || (existing & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (const DWORD error = replaceAsName ? temporary.renameTo(target) : temporary.replace(target, existing)) {
    fail(target, error);
  }
}

}  // namespace marovel::regfile
