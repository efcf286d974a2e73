#pragma once

#include <cstdint>
#include <string>

#include "tessel/export/ITableCells.h"
#include "tessel/host/IDataPad.h"
#include "tessel/host/IProgressIndicator.h"

namespace Tessel {

inline constexpr const char* kProgressExportTable = "Export Tessel Table as Text";
inline constexpr const char* kProgressExportingTableView = "Exporting Table View";
inline constexpr const char* kProgressCopying = "Copying";
inline constexpr const char* kProgressAddingToDataPad = "Adding to Data Pad";

// The table's plain-text forms: the text file, the copy of a selection, the Data Pad rows.
// Every cell is written as its output text, TAB between cells, CR LF after each row.
class TableTextWriter {
 public:
  explicit TableTextWriter(const ITableCells& cells) : cells_(cells) {}

  // Rows 1 to the last, columns 1 to the last, as ISO 8859-1 bytes (characters above 255 become
  // "?"). False when the file cannot be opened; true when written, or when the user pressed Stop
  // (or there is no progress window to ask), in which case the partial file is deleted.
  bool WriteFile(const std::string& path, const std::string& progressTitle,
                 IProgressIndicator* progress);

  // The cells of a rectangular selection, inclusive, as UTF-8 text.
  std::string CopyText(std::uint32_t firstRow, std::uint32_t lastRow, std::uint32_t firstColumn,
                       std::uint32_t lastColumn, IProgressIndicator* progress);

  // The selected rows' cells as Data Pad rows.
  bool AddToDataPad(std::uint32_t firstRow, std::uint32_t lastRow, std::uint32_t firstColumn,
                    std::uint32_t lastColumn, IDataPad* pad, IProgressIndicator* progress);

  // The last percentage shown, for a command that keeps it beyond this writer.
  std::int64_t LastPercent() const { return lastPercent_; }
  void SetLastPercent(std::int64_t percent) { lastPercent_ = percent; }

  // One row's line: the cells of columns from..to, TAB-separated, CR LF at the end.
  std::string Line(std::uint32_t row, std::uint32_t firstColumn, std::uint32_t lastColumn) const;

 private:
  const ITableCells& cells_;
  // The last percentage shown; kept between runs of the same writer, so a new run's first
  // update comes at its first different percentage.
  std::int64_t lastPercent_ = -1;
};

// ISO 8859-1 bytes of UTF-8 text; characters that have no byte become "?".
std::string ToLatin1(const std::string& utf8);

// The file export with its own writer.
bool WriteTableText(const ITableCells& cells, const std::string& path,
                    const std::string& progressTitle, IProgressIndicator* progress);

}  // namespace Tessel
