#pragma once

#include <cstdint>
#include <string>

#include <boost/dynamic_bitset.hpp>

namespace Tessel {

// The runs shown in the Results View: bit i set while run button i is pressed.
using GraphSet = boost::dynamic_bitset<std::uint32_t>;

inline GraphSet DefaultGraphSet() {
  GraphSet set(32);
  set.set(0);
  return set;
}

// The per-document settings, saved with the document. Field order is the stream order.
struct DocumentSettings {
  std::int32_t autoChannel = -2;  // channel of Auto-Analyze Selection; -2 never chosen
  std::int32_t b = 0;             // reserved, kept for streams that carry it
  std::string c;                  // reserved, kept for streams that carry it
  double startOffset = 1.0;       // auto-analysis window start, seconds after a dose comment
  double stopOffset = 5.0;        // auto-analysis window stop, seconds after a dose comment
  std::int32_t calcType = 0;      // ECalcType
  std::string calcName = "Average";
  bool f1 = false;               // Table View display option: every other dose row shaded
  bool scientific = false;       // "Use scientific notation for numbers"
  bool perDoseBaseline = false;  // "Per-dose baseline correction"
  std::int32_t sigFigs = 4;      // significant figures of numbers shown, 1 to 10
  bool advanceDown = true;       // after mark/add: next dose (true) or next channel (false)
  std::int32_t g = -2;           // Convert Comments input channel; -2 never chosen
  std::int32_t h = 0;            // Convert Comments output channel
  GraphSet graphSet = DefaultGraphSet();
  bool bottomToZero = false;     // Results View "Set bottom to zero"
  bool normalize = false;        // Results View "Normalize graphs"
  bool fixHill = false;          // Results View "Fix Hill slope at 1.0"
  bool showLegend = true;        // Results View "Show legend"
  std::int32_t currentRow = -1;  // the Table View's current cell
  std::int32_t currentColumn = -1;

  bool operator==(const DocumentSettings&) const = default;
};

}  // namespace Tessel
