#include "tessel/export/TableTextWriter.h"

#include <cstdio>
#include <fstream>

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

bool TableTextWriter::Report(IProgressIndicator* progress, std::uint64_t done,
                             std::uint64_t total) {
  if (progress == nullptr) {
    return true;
  }
  const auto percent = static_cast<std::int64_t>(total == 0 ? 100 : done * 100 / total);
  if (percent != lastPercent_) {
    lastPercent_ = percent;
    progress->Update(static_cast<double>(percent) / 100.0, std::to_string(percent) + " %");
  }
  return progress->StopPressed() == kOk;
}

bool TableTextWriter::WriteFile(const std::string& path, const std::string& progressTitle,
                                IProgressIndicator* progress) {
  if (progress != nullptr) {
    progress->Begin(progressTitle);
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    if (progress != nullptr) {
      progress->End();
    }
    return false;
  }
  const std::uint32_t rows = cells_.RowCount();
  const std::uint32_t columns = cells_.ColumnCount();
  for (std::uint32_t r = 1; r < rows && columns > 1; ++r) {
    const std::string line = ToLatin1(Line(r, 1, columns - 1));
    file.write(line.data(), static_cast<std::streamsize>(line.size()));
    if (Report(progress, r, rows - 1)) {
      file.close();
      std::remove(path.c_str());
      if (progress != nullptr) {
        progress->End();
      }
      return true;
    }
  }
  file.close();
  if (progress != nullptr) {
    progress->End();
  }
  return true;
}

std::string TableTextWriter::CopyText(std::uint32_t firstRow, std::uint32_t lastRow,
                                      std::uint32_t firstColumn, std::uint32_t lastColumn,
                                      IProgressIndicator* progress) {
  std::string text;
  if (progress != nullptr) {
    progress->Begin(kProgressCopying);
  }
  for (std::uint32_t r = firstRow; r <= lastRow && firstColumn <= lastColumn; ++r) {
    text += Line(r, firstColumn, lastColumn);
    if (progress != nullptr && Report(progress, r - firstRow + 1, lastRow - firstRow + 1)) {
      break;
    }
  }
  if (progress != nullptr) {
    progress->End();
  }
  return text;
}

bool TableTextWriter::AddToDataPad(std::uint32_t firstRow, std::uint32_t lastRow,
                                   std::uint32_t firstColumn, std::uint32_t lastColumn,
                                   IDataPad* pad, IProgressIndicator* progress) {
  if (pad == nullptr) {
    return false;
  }
  if (progress != nullptr) {
    progress->Begin(kProgressAddingToDataPad);
  }
  bool ok = true;
  for (std::uint32_t r = firstRow; r <= lastRow && firstColumn <= lastColumn; ++r) {
    std::vector<std::string> row;
    for (std::uint32_t c = firstColumn; c <= lastColumn; ++c) {
      row.push_back(cells_.OutputText(r, c));
    }
    ok = pad->AddRow(row) == kOk && ok;
    if (progress != nullptr && Report(progress, r - firstRow + 1, lastRow - firstRow + 1)) {
      break;
    }
  }
  if (progress != nullptr) {
    progress->End();
  }
  return ok;
}

bool WriteTableText(const ITableCells& cells, const std::string& path,
                    const std::string& progressTitle, IProgressIndicator* progress) {
  return TableTextWriter(cells).WriteFile(path, progressTitle, progress);
}

}  // namespace Tessel
