#pragma once

#include <cstdint>

#include "tessel/document/TableViewElem.h"
#include "tessel/host/IChartDocument.h"

namespace Tessel {

// What the Analysis View draws as a cell's baseline.
struct DisplayedBaseline {
  bool shown = false;
  double intercept = 0.0;
  double slope = 0.0;

  bool operator==(const DisplayedBaseline&) const = default;
};

// Reads a cell's selection of samples from the host and reduces it to a response with the
// calculation type and per-dose correction of the settings. Samples come through the host's
// enumerator in fixed chunks, so memory stays the same whatever the length of the selection.
class ResponseCalculator {
 public:
  // Samples read per request to the enumerator.
  static constexpr std::uint32_t kChunk = 512;

  ResponseCalculator(IChartDocument* parent, std::int32_t calcType, bool perDoseCorrection)
      : parent_(parent), calcType_(calcType), perDose_(perDoseCorrection) {}

  // Measures a cell holding a response: stores the response and the automatic baseline. False
  // when the cell holds no response (unchanged), for a calculation type that selects nothing
  // (response 0.0), and when the host gives no samples (response NaN). An empty selection
  // still counts as measured, with a NaN response.
  bool Calculate(TableViewElem& cell) const;

  // The raw largest or smallest sample of the cell's selection, without touching the cell; NaN
  // when nothing could be read.
  double SelectionMaximum(const TableViewElem& cell) const;
  double SelectionMinimum(const TableViewElem& cell) const;

  // The baseline shown with a cell's measurement: none for Max-Min; for Integral without
  // per-dose correction the zero line the area is taken from.
  static DisplayedBaseline Display(const TableViewElem& cell, std::int32_t calcType,
                                   bool perDoseCorrection);

 private:
  // Reads the cell's samples through a plug-in of the type and stores the outcome in
  // *result. False when the host gave no enumerator or no dose-position sample.
  bool Read(TableViewElem& cell, std::int32_t type, bool correct, double* result) const;
  double SampleInterval(IChartData* data, TickPosition start) const;

  IChartDocument* parent_;
  std::int32_t calcType_;
  bool perDose_;
};

}  // namespace Tessel
