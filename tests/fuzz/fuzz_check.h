// What the fuzz targets share: a broken promise stops the run with a message, so libFuzzer keeps
// the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace marovel::fuzz {

inline void require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

inline std::string_view textOf(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace marovel::fuzz
