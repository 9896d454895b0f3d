#include "email_fixup.h"

namespace marovel::settings {

std::string repairEmailHyphens(std::string_view text) {
  constexpr std::string_view encodedHyphen = "%2D";
  std::string repaired;
  std::size_t pos = 0;
  for (std::size_t found; (found = text.find(encodedHyphen, pos)) != std::string_view::npos;
       pos = found + encodedHyphen.size()) {
    repaired.append(text.substr(pos, found - pos));
    repaired.push_back('-');
  }
  repaired.append(text.substr(pos));
  return repaired;
}

}  // namespace marovel::settings
