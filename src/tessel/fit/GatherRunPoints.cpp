#include "tessel/fit/GatherRunPoints.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "tessel/document/TableViewMatrix.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The longest decimal number at the front of text (after a sign), as strtod would read it but
// without locales, hexadecimal, infinities or NaN; 0 when there is none.
double LeadingDecimal(std::string_view text) {
  size_t start = 0;
  // from_chars takes no '+'; the sign is only skipped when a number follows it.
  if (text.size() >= 2 && text[0] == '+' && (IsDigit(text[1]) || text[1] == '.')) {
    start = 1;
  }
  const std::string_view rest = text.substr(start);
  const size_t lead = (!rest.empty() && rest[0] == '-') ? 1 : 0;
  if (rest.size() <= lead || !(IsDigit(rest[lead]) || rest[lead] == '.')) {
    return 0.0;
  }
  double value = 0.0;
  const auto [end, ec] =
      std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too large reads as infinity (and is then refused as a dose), too small as zero.
    const std::string digits(rest);
    return std::strtod(digits.c_str(), nullptr);
  }
  return ec == std::errc{} ? value : 0.0;
}

}  // namespace

double ReadResponseText(std::string_view text, bool* hasDigit) {
  *hasDigit = std::any_of(text.begin(), text.end(), IsDigit);
  // Leading white space is skipped, as a stream read of the number would.
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t' || text[start] == '\r' ||
                                 text[start] == '\n')) {
    ++start;
  }
  return LeadingDecimal(text.substr(start));
}

namespace {

// Appends the point of (row, column) when its dose and response qualify.
void ConsiderPoint(const TableViewMatrix& matrix, std::uint32_t row, std::uint32_t column,
                   double dose, RunPoints& points) {
  const TableViewElem& cell = matrix.Cell(row, column);
  // A run still showing its placeholder label has never been named, so never measured on.
  if ((matrix.Cell(kRowLabel, column).flags & kCellPrompt) != 0) {
    return;
  }
  bool hasDigit = false;
  const double response = ReadResponseText(cell.text, &hasDigit);
  if (!(dose > 0.0) || !std::isfinite(dose) || !cell.responseAdded || !hasDigit) {
    return;
  }
  points.doses.push_back(dose);
  points.responses.push_back(response);
  points.rows.push_back(static_cast<std::int32_t>(row));
  points.columns.push_back(static_cast<std::int32_t>(column));
}

}  // namespace

RunPoints GatherRunPoints(const TableViewMatrix& matrix, std::uint32_t keyColumn) {
  RunPoints points;
  const std::string label = Kor::ToLower(matrix.Cell(kRowLabel, keyColumn).text);
  // Which columns repeat the run does not change from row to row.
  std::vector<std::uint32_t> repeats;
  for (std::uint32_t c = kFirstRunColumn; c < matrix.ColumnCount(); ++c) {
    if (Kor::ToLower(matrix.Cell(kRowLabel, c).text) == label &&
        !matrix.Cell(kRowRepeat, c).text.empty()) {
      repeats.push_back(c);
    }
  }
  for (std::uint32_t r = kFirstDoseRow; r < matrix.RowCount(); ++r) {
    const TableViewElem& doseCell = matrix.Cell(r, kDoseColumn);
    // Doses read as dose comments read them: "1,000.5" and "0,5" both count.
    const double dose = (doseCell.flags & kCellPrompt) != 0 ? 0.0 : DoseValue(doseCell.text);
    ConsiderPoint(matrix, r, keyColumn, dose, points);
    for (std::uint32_t c : repeats) {
      ConsiderPoint(matrix, r, c, dose, points);
    }
  }
  return points;
}

}  // namespace Tessel
