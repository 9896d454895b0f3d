// Times Windows programs from their start to their window shown and answering, taking turns:
// marovel-config.exe (loaded before it shows) against its floor. Prints one line a program:
// label, tab, median milliseconds. Exits 1 when any start failed.
// usage: windows_start_timer RUNS LABEL PROGRAM [LABEL PROGRAM...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK findShownWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

double millisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Start to a shown window whose thread has handled what showing it queued; -1 when it fails.
double timeStart(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  Search search{process.dwProcessId};
  for (int waited = 0; !search.found && waited < 60000; ++waited) {
    EnumWindows(findShownWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  double elapsed = -1;
  if (search.found && SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, nullptr)) {
    elapsed = millisecondsSince(start);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fputs("usage: windows_start_timer RUNS LABEL PROGRAM [LABEL PROGRAM...]\n", stderr);
    return 2;
  }
  const int runs = _wtoi(argv[1]);
  std::vector<std::vector<double>> times((argc - 2) / 2);
  bool failed = false;
  for (int run = 0; run < runs; ++run) {
    for (std::size_t program = 0; program < times.size(); ++program) {
      const double elapsed = timeStart(argv[3 + 2 * program]);
      failed = failed || elapsed < 0;
      times[program].push_back(elapsed);
    }
  }
  for (std::size_t program = 0; program < times.size(); ++program) {
    std::wprintf(L"%ls\t%.1f\n", argv[2 + 2 * program], median(times[program]));
  }
  return failed ? 1 : 0;
}
