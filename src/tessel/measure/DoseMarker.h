#pragma once

#include <cstdint>
#include <string>

#include "tessel/host/IChartDocument.h"

namespace Tessel {

class Document;

inline constexpr const char* kMarkedText = "(marked)";

// Mark Dose and Add Response on one cell of the table: writes the dose comment into the
// recording at the Chart View position, records it in the cell, and measures the response of the
// Chart View selection. Everything that can go wrong here ends silently with no change: the
// commands that call it have already told the user what a valid target is.
class DoseMarker {
 public:
  explicit DoseMarker(Document& doc) : doc_(doc) {}

  // The Mark Dose command on a cell (without moving the current cell). As part of Add Response
  // the cell keeps its text and the Chart View selection is used even while sampling.
  bool MarkDose(std::uint32_t row, std::uint32_t column, bool partOfAdd);
  // The Add Response command on a cell: marks the dose first when needed, then measures.
  bool AddResponse(std::uint32_t row, std::uint32_t column);

  // The Document's add operation on a marked cell: nothing when the host reports the run's
  // channel unusable (a run on every channel is not asked about); otherwise Measure. Auto-analysis
  // calls it with its own windows.
  bool Add(std::uint32_t row, std::uint32_t column, std::int32_t channel, TickPosition start,
           TickPosition end);
  // Stores the channel and the stretch start..end as the cell's selection and measures it.
  bool Measure(std::uint32_t row, std::uint32_t column, std::int32_t channel, TickPosition start,
               TickPosition end);

  // A run still called "<Run B Label>" gets the name its comments will carry: "Run B".
  void NameRun(std::uint32_t column);

 private:
  // The Document's mark operation: the comment and the cell's record of it.
  bool Mark(std::uint32_t row, std::uint32_t column, bool partOfAdd);
  bool ChannelUsable(std::int32_t channel) const;
  // Where the mark goes; false when there is no position.
  bool MarkPosition(bool partOfAdd, TickPosition* start, TickPosition* end) const;
  // A dose comment for the same text already at the position in a target channel.
  bool AlreadyMarked(TickPosition position, std::int32_t runChannel, const std::string& text);
  bool WriteComment(TickPosition position, std::int32_t runChannel, const std::string& text);

  Document& doc_;
};

}  // namespace Tessel
