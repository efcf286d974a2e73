#include "tessel/measure/Recalculation.h"

#include "tessel/document/Document.h"
#include "tessel/document/NumberText.h"

namespace Tessel {

bool RecalculateAllResponses(Document& doc) {
  bool all = true;
  TableViewMatrix& m = doc.Matrix();
  const DocumentSettings& s = doc.Settings();
  for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
    for (std::uint32_t r = 0; r < m.RowCount(); ++r) {
      if (m.Cell(r, c).responseAdded) {
        all = doc.CalculateResponse(c, r) && all;
        m.Cell(r, c).text = FormatNumber(m.Cell(r, c).response, s.sigFigs, s.scientific);
      }
    }
  }
  doc.UpdateAllViews();
  return all;
}

}  // namespace Tessel
