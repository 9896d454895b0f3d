// Times the registry routines, and one raw open/query/close, in microseconds per call. The same
// source runs on the stand-in store and, built for Windows, on advapi32 under Wine, so that
// scripts/bench can set the two side by side. Prints one line per routine: name, tab, µs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "registry_helpers.h"
#include "win32_registry.h"

namespace {

using marovel::registry::CreateKey;
using marovel::registry::QueryValue;
using marovel::registry::SetKeyValue;

const char kSoftware[] = "Software";
const char kBenchParent[] = "MarovelBench";  // below Software
const char kBenchKey[] = "Software\\MarovelBench\\Agent";
const char kTextName[] = "szEmailAddress";
const char kNumberName[] = "dwUpdateTime";

struct Counts {
  int rounds = 7;
  int calls = 2000;
  std::string only;  // one routine by name, for a profiler; empty: all
};

Counts countsFrom(int argc, char** argv) {
  Counts counts;
  for (int n = 1; n + 1 < argc; n += 2) {
    const std::string option = argv[n];
    if (option == "--rounds") counts.rounds = std::max(1, std::atoi(argv[n + 1]));
    if (option == "--calls") counts.calls = std::max(1, std::atoi(argv[n + 1]));
    if (option == "--only") counts.only = argv[n + 1];
  }
  return counts;
}

// The median over the rounds of each round's mean time per call, in µs.
double microsecondsPerCall(const Counts& counts, const std::function<void()>& call) {
  std::vector<double> rounds;
  for (int round = 0; round < counts.rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < counts.calls; ++n) call();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    rounds.push_back(spent.count() / counts.calls);
  }
  std::sort(rounds.begin(), rounds.end());
  return rounds[rounds.size() / 2];
}

void rawOpenQueryClose() {
  HKEY key = nullptr;
  const REGSAM access = KEY_QUERY_VALUE | marovel::registry::kAgentView;  // the routines' view
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBenchKey, 0, access, &key) != ERROR_SUCCESS) std::abort();
  char buffer[64];
  DWORD size = sizeof buffer;
  RegQueryValueExA(key, kTextName, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size);
  RegCloseKey(key);
}

// Removes the benchmark's keys where they share a registry with others (Windows: RegDeleteTreeA
// takes no view, so it works below Software opened in the routines' view); the stand-in store is
// a file of the benchmark's own.
void removeBenchKeys() {
#ifdef _WIN32
  HKEY software = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSoftware, 0, KEY_ALL_ACCESS | marovel::registry::kAgentView, &software) ==
      ERROR_SUCCESS) {
    RegDeleteTreeA(software, kBenchParent);
    RegCloseKey(software);
  }
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const Counts counts = countsFrom(argc, argv);
  if (!CreateKey(kBenchKey, HKEY_LOCAL_MACHINE)) {
    std::fprintf(stderr, "registry_bench: cannot create HKEY_LOCAL_MACHINE\\%s\n", kBenchKey);
    return 1;
  }
  SetKeyValue(kBenchKey, kTextName, std::string("admin@example.com"), REG_SZ);
  if (QueryValue(kBenchKey, kTextName) != marovel::registry::SettingValue(std::string("admin@example.com"))) {
    std::fprintf(stderr, "registry_bench: the value written cannot be read back\n");
    return 1;
  }
  std::int32_t number = 0;
  const std::pair<const char*, std::function<void()>> routines[] = {
      {"QueryValue", [] { QueryValue(kBenchKey, kTextName); }},
      {"SetKeyValue", [&] { SetKeyValue(kBenchKey, kNumberName, ++number, REG_DWORD); }},
      {"CreateKey", [] { CreateKey(kBenchKey, HKEY_LOCAL_MACHINE); }},
      {"open/query/close", rawOpenQueryClose},
  };
  for (const auto& [name, call] : routines) {
    if (counts.only.empty() || counts.only == name) std::printf("%s\t%.2f\n", name, microsecondsPerCall(counts, call));
  }
  removeBenchKeys();
  return 0;
}
