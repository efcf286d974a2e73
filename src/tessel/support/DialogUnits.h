#pragma once

#include <cstdint>

namespace Kor {

// A rectangle of a dialog template, in dialog units: x and width in quarters of the dialog
// font's average character width, y and height in eighths of its character height.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const DialogRect&) const = default;
};

// The dialog font's base units, in pixels: the average width of its characters and the height
// of a character cell.
struct DialogFontUnits {
  int averageCharWidth = 0;
  int charHeight = 0;
};

// number * numerator / denominator, computed in 64 bits and rounded half away from zero; -1 when
// the denominator is 0 or the result does not fit in 32 bits. Dialog templates are laid out with
// exactly this rounding, so a control lands on the same pixel as in the dialog's designer.
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// Dialog units to pixels for the given font.
int DialogUnitsToPixelsX(int x, const DialogFontUnits& font);
int DialogUnitsToPixelsY(int y, const DialogFontUnits& font);
DialogRect DialogUnitsToPixels(const DialogRect& rect, const DialogFontUnits& font);

}  // namespace Kor
