// Drives the dose-response matrix with arbitrary edit sequences: inserts, deletes and reads at
// any index must never touch memory outside the matrix.
#include <cstddef>
#include <cstdint>

#include "tessel/document/TableViewMatrix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Tessel;
  Ref<TableViewMatrix> m = MakeRef<TableViewMatrix>(nullptr);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const std::uint32_t at = data[i + 1] % 40;
    switch (data[i] % 6) {
      case 0:
        m->AppendRow();
        break;
      case 1:
        m->InsertRow(at);
        break;
      case 2:
        m->DeleteRow(at);
        break;
      case 3:
        m->InsertColumn(at, m->NewRunColumn(at));
        break;
      case 4:
        m->DeleteColumn(at);
        break;
      default:
        m->Cell(at, data[i] % 7).text += "x";
        m->UpdateRepeatLabels();
        break;
    }
  }
  return 0;
}
