// Window layouts are given in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
#pragma once

#include <QRect>

namespace marovel::diagnostics_window {

constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

constexpr QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

}  // namespace marovel::diagnostics_window
