// Test helper: writes <count> REG_DWORD values named <prefix><n> into the store that
// MAROVEL_REGISTRY names, one RegSetValueExA (one transaction) each. With "report" it prints each
// name once its write has returned success. Exits non-zero at the first failure.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32_registry.h"
#include "writer_key.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <prefix> <count> [report]\n", argv[0]);
    return 2;
  }
  const std::string prefix = argv[1];
  const long count = std::atol(argv[2]);
  const bool report = argc > 3 && std::string(argv[3]) == "report";

  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kWriterKey, 0, nullptr, REG_OPTION_NON_VOLATILE, 0x3F, nullptr,
                                &key, nullptr);
  for (long n = 0; result == ERROR_SUCCESS && n < count; ++n) {
    std::string name = prefix + std::to_string(n);
    DWORD data = static_cast<DWORD>(n);
    result = RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    if (result == ERROR_SUCCESS && report) {
      std::printf("%s\n", name.c_str());
      std::fflush(stdout);
    }
  }
  if (result != ERROR_SUCCESS) std::fprintf(stderr, "registry error %d\n", static_cast<int>(result));
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? 0 : 1;
}
