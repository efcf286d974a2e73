#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace Tessel {

class TableViewMatrix;

// The points of one run, parallel: dose, response and the response cell's place in the table.
struct RunPoints {
  std::vector<double> doses;
  std::vector<double> responses;
  std::vector<std::int32_t> rows;
  std::vector<std::int32_t> columns;
};

// The run whose first column is keyColumn, with the columns that repeat its label: every dose
// row whose dose is a positive finite number and whose cell holds a measured response.
RunPoints GatherRunPoints(const TableViewMatrix& matrix, std::uint32_t keyColumn);

// The leading decimal number of a response cell's text (0 when there is none), and whether the
// text has any decimal digit at all.
double ReadResponseText(std::string_view text, bool* hasDigit);

}  // namespace Tessel
