#include "tessel/document/NumberText.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

namespace Tessel {

std::string WidenExponent(std::string text) {
  const size_t e = text.find_first_of("eE");
  if (e == std::string::npos || e + 1 >= text.size()) {
    return text;
  }
  size_t digits = e + 1;
  if (text[digits] == '+' || text[digits] == '-') {
    ++digits;
  }
  const size_t count = text.size() - digits;
  if (count < 3) {
    text.insert(digits, 3 - count, '0');
  }
  return text;
}

std::string FormatNumber(double value, std::int32_t sigFigs, bool scientific) {
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value > 0 ? "infinity" : "-infinity";
  }
  std::ostringstream out;
  out.imbue(std::locale::classic());
  if (scientific) {
    out.setf(std::ios::scientific, std::ios::floatfield);
    out.precision(sigFigs > 0 ? sigFigs - 1 : 0);
  } else {
    out.precision(sigFigs);
  }
  out << value;
  return WidenExponent(out.str());
}

std::string CellOutputText(const TableViewElem& cell,
                           const std::vector<std::string>& channelTitles) {
  if ((cell.flags & kCellPrompt) != 0) {
    return {};
  }
  if ((cell.flags & kCellList) == 0) {
    return cell.text;
  }
  long index = -1;
  const char* first = cell.text.data();
  const char* last = first + cell.text.size();
  const auto [ptr, ec] = std::from_chars(first, last, index);
  if (ec != std::errc{} || ptr == first || index < 0 ||
      static_cast<size_t>(index) >= channelTitles.size()) {
    return {};
  }
  return channelTitles[static_cast<size_t>(index)];
}

}  // namespace Tessel
