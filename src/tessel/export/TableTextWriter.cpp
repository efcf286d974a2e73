#include "tessel/export/TableTextWriter.h"

#include <cstdio>
#include <fstream>

#include "tessel/host/ProgressReporter.h"
#include "tessel/support/Strings.h"

namespace Tessel {

std::string ToLatin1(const std::string& utf8) {
  const std::u16string units = Kor::ToUtf16(utf8);
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size()) {
      ++i;  // one character outside the Basic Multilingual Plane, one "?"
      out += '?';
    } else {
      out += u <= 0xFF ? static_cast<char>(u) : '?';
    }
  }
  return out;
}

std::string TableTextWriter::Line(std::uint32_t row, std::uint32_t firstColumn,
                                  std::uint32_t lastColumn) const {
  std::string line;
  for (std::uint32_t c = firstColumn; c <= lastColumn; ++c) {
    line += cells_.OutputText(row, c);
    line += c == lastColumn ? "\r\n" : "\t";
  }
  return line;
}

bool TableTextWriter::WriteFile(const std::string& path, const std::string& progressTitle,
                                IProgressIndicator* indicator) {
  ProgressReporter progress(indicator, progressTitle);
  progress.SetLastPercent(lastPercent_);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    return false;
  }
  const std::uint32_t rows = cells_.RowCount();
  const std::uint32_t columns = cells_.ColumnCount();
  for (std::uint32_t r = 1; r < rows && columns > 1; ++r) {
    const std::string line = ToLatin1(Line(r, 1, columns - 1));
    file.write(line.data(), static_cast<std::streamsize>(line.size()));
    const bool stop = progress.Step(r, rows - 1) || indicator == nullptr;
    lastPercent_ = progress.LastPercent();
    if (stop) {
      file.close();
      std::remove(path.c_str());
      return true;
    }
  }
  return true;
}

std::string TableTextWriter::CopyText(std::uint32_t firstRow, std::uint32_t lastRow,
                                      std::uint32_t firstColumn, std::uint32_t lastColumn,
                                      IProgressIndicator* indicator) {
  ProgressReporter progress(indicator, kProgressCopying);
  std::string text;
  for (std::uint32_t r = firstRow; r <= lastRow && firstColumn <= lastColumn; ++r) {
    text += Line(r, firstColumn, lastColumn);
    if (progress.Step(r - firstRow + 1, lastRow - firstRow + 1)) {
      break;
    }
  }
  return text;
}

bool TableTextWriter::AddToDataPad(std::uint32_t firstRow, std::uint32_t lastRow,
                                   std::uint32_t firstColumn, std::uint32_t lastColumn,
                                   IDataPad* pad, IProgressIndicator* indicator) {
  if (pad == nullptr) {
    return false;
  }
  ProgressReporter progress(indicator, kProgressAddingToDataPad);
  bool ok = true;
  for (std::uint32_t r = firstRow; r <= lastRow && firstColumn <= lastColumn; ++r) {
    std::vector<std::string> row;
    for (std::uint32_t c = firstColumn; c <= lastColumn; ++c) {
      row.push_back(cells_.OutputText(r, c));
    }
    ok = pad->AddRow(row) == kOk && ok;
    if (progress.Step(r - firstRow + 1, lastRow - firstRow + 1)) {
      break;
    }
  }
  return ok;
}

bool WriteTableText(const ITableCells& cells, const std::string& path,
                    const std::string& progressTitle, IProgressIndicator* progress) {
  return TableTextWriter(cells).WriteFile(path, progressTitle, progress);
}

}  // namespace Tessel
