#pragma once

#include <string>
#include <vector>

namespace Strata {

using DataPadRows = std::vector<std::vector<std::string>>;

// The Data Pad's rows as the clipboard takes them: cells separated by tabs, one row a line, so
// they paste into a spreadsheet's cells. A tab or line break inside a cell becomes a space.
std::string DataPadTabText(const DataPadRows& rows);

// A column's name as a spreadsheet shows it: A to Z, then AA, AB, ...
std::string DataPadColumnName(size_t column);

// The rows as a CSV file: a cell holding a comma, a double quote or a line break is quoted, its
// quotes doubled; lines end with CR LF.
std::string DataPadCsv(const DataPadRows& rows);

// Writes the rows as CSV to path: beside it under a temporary name first, renamed into place
// only when every byte is on disk, so a failed save leaves no half-written file and any earlier
// file as it was. "" or the one message naming the file and the reason.
std::string SaveDataPadCsv(const DataPadRows& rows, const std::string& path);

}  // namespace Strata
