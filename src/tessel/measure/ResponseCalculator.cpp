#include "tessel/measure/ResponseCalculator.h"
#include "tessel/host/HostQueries.h"

#include <algorithm>
#include <array>

#include "tessel/host/IChartDataSource.h"
#include "tessel/host/IEnumFloatEx.h"
#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {
namespace {

Ref<IChartDataSource> SourceOf(IChartData* data) {
  IChartDataSource* source = nullptr;
  if (data == nullptr || data->GetDataSource(&source) != kOk || source == nullptr) {
    return {};
  }
  return Adopt(source);
}

// Ticks compare as signed numbers: the dose and the selection lie in one block.
std::int32_t SignedTick(TickPosition p) {
  return static_cast<std::int32_t>(p.Tick());
}

}  // namespace

double ResponseCalculator::SampleInterval(IChartData* data, TickPosition start) const {
  double interval = 1.0;
  Ref<IChartDataSource> source = SourceOf(data);
  std::int32_t block = 0;
  double seconds = 0.0;
  if (source && source->GetBlockOfPosition(start, &block) == kOk &&
      source->GetSampleInterval(block, &seconds) == kOk) {
    interval = seconds;
  }
  return interval;
}

bool ResponseCalculator::Calculate(TableViewElem& cell) const {
  if (!cell.responseAdded) {
    return false;
  }
  if (calcType_ < 0 || calcType_ >= kCalcTypeCount) {
    cell.response = 0.0;
    return false;
  }
  double result = kMissingResponse;
  const bool read = Read(cell, calcType_, perDose_, &result);
  cell.response = result;
  return read;
}

double ResponseCalculator::SelectionMaximum(const TableViewElem& cell) const {
  TableViewElem copy = cell;
  double result = kMissingResponse;
  Read(copy, kCalcMaximum, false, &result);
  return result;
}

double ResponseCalculator::SelectionMinimum(const TableViewElem& cell) const {
  TableViewElem copy = cell;
  double result = kMissingResponse;
  Read(copy, kCalcMinimum, false, &result);
  return result;
}

bool ResponseCalculator::Read(TableViewElem& cell, std::int32_t type, bool correct,
                              double* result) const {
  *result = kMissingResponse;
  Ref<IChartData> data = DataOf(parent_);
  const double interval = SampleInterval(data.get(), cell.start);

  const std::int32_t doseTick = SignedTick(cell.dosePosition);
  const std::int32_t startTick = SignedTick(cell.start);
  const std::int32_t endTick = SignedTick(cell.end);
  const bool doseBefore = doseTick < startTick;
  Ref<IChartDataSource> source = SourceOf(data.get());
  IEnumFloatEx* raw = nullptr;
  if (!source ||
      source->EnumSamples(kEnumMeasureFlags, cell.channel,
                          doseBefore ? cell.dosePosition : cell.start, 0x7FFFFFFFu, &raw) != kOk ||
      raw == nullptr) {
    return false;
  }
  Ref<IEnumFloatEx> samples = Adopt(raw);
  std::int64_t remaining = endTick > 0 ? std::int64_t{endTick} - startTick : -1;

  // The largest double, so that the first sample seen always becomes the baseline.
  cell.autoBaseline = Baseline{true, kDoubleMax, 0.0};
  std::array<float, kChunk> buffer{};
  if (doseBefore) {
    std::uint32_t fetched = 0;
    samples->Next(1, buffer.data(), &fetched);
    if (fetched != 1) {
      return false;
    }
    cell.autoBaseline.intercept = buffer[0];
    samples->Skip(static_cast<std::uint32_t>(startTick - doseTick - 1));
  }

  std::unique_ptr<Plugin> plugin =
      MakePlugin(type, &cell, data.get(), interval, startTick, endTick);
  bool first = true;
  while (remaining > 0) {
    TickPosition p;
    samples->GetCurrentPosition(&p);
    const auto want = static_cast<std::uint32_t>(std::min<std::int64_t>(remaining, kChunk));
    std::uint32_t fetched = 0;
    samples->Next(want, buffer.data(), &fetched);
    if (fetched == 0) {
      break;
    }
    if (first) {
      // The lower of the dose-position sample and the first selection sample; a NaN first
      // sample leaves the baseline where it was.
      const double s = buffer[0];
      if (s < cell.autoBaseline.intercept) {
        cell.autoBaseline.intercept = s;
      }
      first = false;
    }
    plugin->AddSamples(SignedTick(p) - doseTick, buffer.data(), fetched, correct);
    remaining -= fetched;
  }
  *result = plugin->Result();
  return true;
}

DisplayedBaseline ResponseCalculator::Display(const TableViewElem& cell, std::int32_t calcType,
                                              bool perDoseCorrection) {
  Baseline b = cell.EffectiveBaseline();
  if (calcType == kCalcIntegral && !perDoseCorrection) {
    b = Baseline{true, 0.0, 0.0};
  }
  const bool shown =
      calcType != kCalcMaxMinusMin && (perDoseCorrection || calcType == kCalcIntegral);
  return DisplayedBaseline{shown, b.intercept, b.slope};
}

}  // namespace Tessel
