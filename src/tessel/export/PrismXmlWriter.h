#pragma once

#include <cstdint>
#include <string>

#include "tessel/export/ITableCells.h"

namespace Tessel {

inline constexpr const char* kPrismNamespace = "http://graphpad.com/prism/Prism.htm";
inline constexpr const char* kMsgCannotWrite =
    "The specified file is in use or cannot be written.\n\nYou must specify another file.";

// The table as a Prism 5 XY data table: the doses as X, one Y column per run label, repeats of a
// label as its replicate subcolumns.
class PrismXmlWriter {
 public:
  explicit PrismXmlWriter(const ITableCells& cells) : cells_(cells) {}

  // The whole file's text, CR LF line ends, UTF-8.
  std::string Text() const;

  // The repeat number of a run column: "Repeat 2" gives 2, anything else 0.
  std::int32_t RepeatOf(std::uint32_t column) const;
  std::int32_t ReplicateCount() const;

 private:
  bool HasLabel(std::uint32_t column) const;
  void WriteSubcolumn(std::string& out, std::uint32_t column) const;

  const ITableCells& cells_;
};

// Writes the file; false when it cannot be opened for writing (nothing is written then).
bool WritePrismXml(const ITableCells& cells, const std::string& path);

}  // namespace Tessel
