#include "cli/TableFiles.h"

#include "tessel/export/PrismXmlWriter.h"
#include "tessel/export/TableTextWriter.h"

namespace Cli {
namespace {

// The text export's bytes: rows and columns from 1, ISO 8859-1, CR LF, as the desktop's file.
std::string TableText(const Tessel::ITableCells& cells) {
  const Tessel::TableTextWriter writer(cells);
  std::string bytes;
  for (std::uint32_t r = 1; r < cells.RowCount() && cells.ColumnCount() > 1; ++r) {
    bytes += Tessel::ToLatin1(writer.Line(r, 1, cells.ColumnCount() - 1));
  }
  return bytes;
}

}  // namespace

void TableFiles::PlanTo(OutputFiles& files) const {
  for (const auto& [option, path] :
       {std::pair{"--xml", xml}, {"--text", text}, {"--params", params}}) {
    if (!path.empty()) {
      files.AddBytes(option, path, {});
    }
  }
}

void TableFiles::AddTo(OutputFiles& files, const Tessel::ITableCells& cells,
                       const std::string& paramsText) const {
  if (!xml.empty()) {
    files.AddBytes("--xml", xml, Tessel::PrismXmlWriter(cells).Text());
  }
  if (!text.empty()) {
    files.AddBytes("--text", text, TableText(cells));
  }
  if (!params.empty()) {
    files.AddBytes("--params", params, paramsText);
  }
}

}  // namespace Cli
