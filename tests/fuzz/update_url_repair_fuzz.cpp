// Any text as the stored update URL: the repair only ever turns "%2D" into "-", so repairing all
// of the result's hyphens gives what repairing all of the original's gives.
#include <cstddef>
#include <cstdint>

#include "email_fixup.h"
#include "fuzz_check.h"

using namespace marovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view url = fuzz::textOf(data, size);
  const std::string repaired = settings::repairUpdateUrlEmail(url);
  fuzz::require(repaired.size() <= url.size(), "the repair never lengthens the URL");
  fuzz::require(settings::repairEmailHyphens(repaired) == settings::repairEmailHyphens(url),
                "the repair only turns %2D into -");
  if (url.find("%2D") == std::string_view::npos) fuzz::require(repaired == url, "a URL without %2D stays");
  return 0;
}
