#include "tessel/support/DialogUnits.h"

#include <cstdlib>
#include <limits>

namespace Kor {

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
  if (denominator == 0) {
    return -1;
  }
  const std::int64_t product = std::int64_t{number} * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = std::llabs(product);
  const std::int64_t divisor = std::llabs(std::int64_t{denominator});
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  if (rounded > std::numeric_limits<std::int32_t>::max()) {
    return -1;
  }
  return static_cast<std::int32_t>(negative ? -rounded : rounded);
}

int DialogUnitsToPixelsX(int x, const DialogFontUnits& font) {
  return MulDiv(x, font.averageCharWidth, 4);
}

int DialogUnitsToPixelsY(int y, const DialogFontUnits& font) {
  return MulDiv(y, font.charHeight, 8);
}

DialogRect DialogUnitsToPixels(const DialogRect& rect, const DialogFontUnits& font) {
  return DialogRect{DialogUnitsToPixelsX(rect.x, font), DialogUnitsToPixelsY(rect.y, font),
                    DialogUnitsToPixelsX(rect.width, font),
                    DialogUnitsToPixelsY(rect.height, font)};
}

}  // namespace Kor
