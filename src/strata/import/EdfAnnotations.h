#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "strata/import/ImportResult.h"
#include "strata/recording/Recording.h"

namespace Strata {

// One annotation of an EDF+ or BDF+ file, its onset in nanoseconds from the header's start time.
struct EdfAnnotation {
  std::int64_t onsetNs = 0;
  std::string text;
  std::int32_t block = 0;  // the block of the data record that carried it
};

// Parses the time-stamped annotation lists of one annotation signal of one data record. The
// first list of the record's first annotation signal keeps time: its onset goes to *timekeeping
// (when not null). Returns the fault, or empty.
std::string ParseTals(std::string_view bytes, std::int64_t* timekeeping,
                      std::vector<EdfAnnotation>* out);

// Where a block lies in time, in the file's own exact units.
struct BlockSpan {
  std::int64_t startNs = 0;    // from the header's start time
  std::int64_t recordNs = 1;   // duration of a data record
  std::int64_t perRecord = 1;  // the block's ticks per data record
  std::int64_t ticks = 0;
};

// Turns annotations into comments of the recording, each at the tick nearest its onset in the
// block that holds it. An annotation outside every block goes to the nearest tick of the block
// whose record carried it, and the report says so. A text ending in "@@<channel title>" goes on
// that channel without the suffix; any other text goes on all channels.
void PlaceAnnotations(const std::vector<EdfAnnotation>& annotations,
                      const std::vector<BlockSpan>& spans, Recording* recording,
                      std::vector<ImportWarning>* warnings);

}  // namespace Strata
