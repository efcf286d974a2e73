#pragma once

#include <cstdint>
#include <string>

#include "tessel/document/Baseline.h"
#include "tessel/host/TickPosition.h"

namespace Tessel {

// Role bits of a cell.
inline constexpr std::int32_t kCellResponse = 0x01;
inline constexpr std::int32_t kCellUserText = 0x02;  // rows 1 and 3: the user sets the text
inline constexpr std::int32_t kCellList = 0x08;      // text is an index into the channel list
inline constexpr std::int32_t kCellHeader = 0x10;
inline constexpr std::int32_t kCellRowNumber = 0x20;
inline constexpr std::int32_t kCellPrompt = 0x80;  // text is a placeholder the module rewrites
inline constexpr std::int32_t kCellDoseHeader = 0x100;

inline constexpr std::int32_t kFlagsHeaderRow = 0x10;
inline constexpr std::int32_t kFlagsDoseColumnRow1 = 0x110;
inline constexpr std::int32_t kFlagsDoseTitle = 0x12;
inline constexpr std::int32_t kFlagsRunLabelPlaceholder = 0x92;
inline constexpr std::int32_t kFlagsRunChannelUnset = 0x9a;
inline constexpr std::int32_t kFlagsRunChannelSet = 0x1a;
inline constexpr std::int32_t kFlagsEnterDose = 0x83;
inline constexpr std::int32_t kFlagsResponse = 0x01;
inline constexpr std::int32_t kFlagsRowNumber = 0x20;

// One cell of the dose–response matrix.
struct TableViewElem {
  // Positions of a cell that was never reset, so that a missed reset shows in any dump.
  static constexpr TickPosition kUnsetPosition{0x7FFFFFFF, 0x7FFFFFFF};

  std::string text;
  double value = 0.0;
  std::int32_t channel = -1;
  TickPosition start = kUnsetPosition;
  TickPosition end = kUnsetPosition;
  TickPosition dosePosition = kUnsetPosition;
  std::string commentText;
  double response = 0.0;
  Baseline autoBaseline{true, 0.0, 0.0};
  Baseline userBaseline{false, 0.0, 0.0};
  std::int32_t flags = kFlagsResponse;
  bool doseMarked = false;
  bool responseAdded = false;

  void Reset() { *this = Cleared(); }

  // The baseline a measurement subtracts: the user's when set, else the automatic one.
  const Baseline& EffectiveBaseline() const {
    return userBaseline.present ? userBaseline : autoBaseline;
  }

  static TableViewElem Cleared() {
    TableViewElem e;
    e.start = e.end = e.dosePosition = TickPosition{};
    return e;
  }

  bool operator==(const TableViewElem&) const = default;
};

}  // namespace Tessel
