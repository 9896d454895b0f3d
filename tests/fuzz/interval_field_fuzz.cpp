// Any text as an interval field and any stored number as milliseconds: the one number parse and
// the minute conversions never fail other than by saying so, and agree with each other.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "interval_field.h"

using namespace marovel;

namespace {

void checkFieldText(std::string_view text, char separator) {
  const auto milliseconds = settings::intervalTextToMilliseconds(text, separator);
  if (settings::isAcceptedIntervalText(text, separator) && text != settings::NoValueMarker) {
    fuzz::require(milliseconds.has_value(), "an accepted interval converts");
    fuzz::require(*milliseconds >= 60000 && *milliseconds <= 86400000, "an accepted interval is 1 to 1440 minutes");
  }
  if (milliseconds) fuzz::require(*milliseconds % 60000 == 0, "a converted interval is whole minutes");
}

void checkStoredNumber(std::int32_t milliseconds, char separator) {
  const std::string shown = settings::formatIntervalMinutes(milliseconds, separator);
  const auto parsed = settings::parseLocaleNumber(shown, separator);
  fuzz::require(parsed.has_value(), "a shown interval parses");
  const double minutes = static_cast<double>(milliseconds) / 60000;
  fuzz::require(std::fabs(*parsed - minutes) <= 1e-13 * std::fabs(minutes), "a shown interval keeps its value");
  const std::string field = settings::intervalFieldText(milliseconds, separator);
  fuzz::require(milliseconds == 0 ? field == settings::NoValueMarker : field == shown, "the field shows the minutes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const char separator = input.ConsumeBool() ? ',' : '.';
  const std::int32_t milliseconds = input.ConsumeIntegral<std::int32_t>();
  const std::string text = input.ConsumeRemainingBytesAsString();
  checkFieldText(text, separator);
  checkStoredNumber(milliseconds, separator);
  return 0;
}
