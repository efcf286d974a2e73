#include "tessel/export/PrismXmlWriter.h"

#include <cstdio>
#include <fstream>

#include "tessel/document/TableViewElem.h"
#include "tessel/document/TableViewMatrix.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

constexpr const char* kEol = "\r\n";

// Titles and values go into element content and attributes; a label such as "A&B" must still
// give a file that XML readers accept.
std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

bool PrismXmlWriter::HasLabel(std::uint32_t column) const {
  return (cells_.GetCellInfo(kRowLabel, column, kStoredTextMode) & kCellPrompt) == 0;
}

std::int32_t PrismXmlWriter::RepeatOf(std::uint32_t column) const {
  const std::string text = cells_.GetCellText(kRowRepeat, column, kStoredTextMode);
  // The first word is skipped and the integer after it read, as a "%*s %d" scan does.
  int n = 0;
  if (std::sscanf(text.c_str(), "%*s %d", &n) != 1) {
    return 0;
  }
  return n;
}

std::int32_t PrismXmlWriter::ReplicateCount() const {
  std::int32_t count = 1;
  for (std::uint32_t c = kFirstRunColumn; c < cells_.ColumnCount(); ++c) {
    if (HasLabel(c) && RepeatOf(c) > 0 && RepeatOf(c) + 1 > count) {
      count = RepeatOf(c) + 1;
    }
  }
  return count;
}

void PrismXmlWriter::WriteSubcolumn(std::string& out, std::uint32_t column) const {
  out += "<Subcolumn>";
  out += kEol;
  for (std::uint32_t r = kFirstDoseRow; r < cells_.RowCount(); ++r) {
    if ((cells_.GetCellInfo(r, column, kStoredTextMode) & kCellPrompt) != 0) {
      out += "<d />";
    } else {
      out += "<d>" + Escape(cells_.GetCellText(r, column, kStoredTextMode)) + "</d>";
    }
    out += kEol;
  }
  out += "</Subcolumn>";
  out += kEol;
}

std::string PrismXmlWriter::Text() const {
  std::string out;
  auto line = [&out](const std::string& text) {
    out += text;
    out += kEol;
  };
  line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  line(std::string("<GraphPadPrismFile xmlns=\"") + kPrismNamespace +
       "\" PrismXMLVersion=\"5.00\">");
  line("<Table XFormat=\"numbers\" YFormat=\"replicates\" Replicates=\"" +
       std::to_string(ReplicateCount()) + "\" TableType=\"XY\">");
  line("<XColumn Decimals=\"3\" Scientific = \"1\" Subcolumns=\"1\">");
  line("<Title>" + Escape(cells_.GetCellText(kRowChannel, kDoseColumn, kStoredTextMode)) +
       "</Title>");
  WriteSubcolumn(out, kDoseColumn);
  line("</XColumn>");
  const std::int32_t replicates = ReplicateCount();
  const std::uint32_t columns = cells_.ColumnCount();
  for (std::uint32_t c = kFirstRunColumn; c < columns; ++c) {
    if (!HasLabel(c) || RepeatOf(c) != 0) {
      continue;
    }
    const std::string label = cells_.GetCellText(kRowLabel, c, kStoredTextMode);
    const std::string lower = Kor::ToLower(label);
    line("<YColumn Decimals=\"3\" Scientific = \"1\" Subcolumns=\"1\">");
    line("<Title>" + Escape(label) + "</Title>");
    WriteSubcolumn(out, c);
    for (std::int32_t r = 1; r < replicates; ++r) {
      for (std::uint32_t d = kFirstRunColumn; d < columns; ++d) {
        if (HasLabel(d) && RepeatOf(d) == r &&
            Kor::ToLower(cells_.GetCellText(kRowLabel, d, kStoredTextMode)) == lower) {
          WriteSubcolumn(out, d);
        }
      }
    }
    line("</YColumn>");
  }
  line("</Table>");
  line("</GraphPadPrismFile>");
  return out;
}

bool WritePrismXml(const ITableCells& cells, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    return false;
  }
  const std::string text = PrismXmlWriter(cells).Text();
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  return true;
}

}  // namespace Tessel
