#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

#include "tessel/document/TableViewElem.h"
#include "tessel/host/IChartData.h"

namespace Tessel {

// Reduces the samples of one measurement to one response. A plug-in lives for one calculation:
// it is fed the samples in time order, each with its tick distance from the dose position, and
// keeps only running sums or extremes, so any length of selection is measured in constant memory.
class Plugin {
 public:
  Plugin(const TableViewElem* cell, IChartData* data, double interval, std::int32_t startTick,
         std::int32_t endTick)
      : cell_(cell), data_(data), interval_(interval), startTick_(startTick), endTick_(endTick) {}
  virtual ~Plugin() = default;
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  // One sample, index ticks after the dose position (negative before it). Samples that are not
  // finite are dropped: a gap or an overload in the recording must not move the response. The
  // effective baseline is subtracted when asked, and the value goes to Accumulate.
  virtual void AddSample(std::int32_t index, double value, bool correctBaseline) {
    if (std::isfinite(value)) {
      Accumulate(correctBaseline ? value - BaselineAt(index) : value);
    }
  }
  // The response for the samples added so far; the missing-response NaN when there is none.
  virtual double Result() const = 0;
  // A run of consecutive samples, the first firstIndex ticks after the dose position. The same
  // as calling AddSample for each; plug-ins override it to keep the per-sample loop tight.
  virtual void AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                          bool correctBaseline);

  double Interval() const { return interval_; }
  std::int32_t StartTick() const { return startTick_; }
  std::int32_t EndTick() const { return endTick_; }
  IChartData* Data() const { return data_; }

 protected:
  // One finite sample, already corrected where the plug-in corrects.
  virtual void Accumulate(double value) = 0;

  const TableViewElem& Cell() const { return *cell_; }

  // The value of the cell's effective baseline index ticks after the dose position.
  double BaselineAt(std::int32_t index) const {
    return cell_->EffectiveBaseline().At(interval_, static_cast<double>(index));
  }

  // Feeds a run of samples to accumulate, skipping non-finite ones and subtracting the effective
  // baseline when asked. The baseline is read once per run: it only changes between runs.
  template <class Accumulate>
  void Feed(std::int32_t firstIndex, const float* samples, std::uint32_t count, bool correct,
            Accumulate accumulate) {
    if (!correct) {
      for (std::uint32_t j = 0; j < count; ++j) {
        const double v = samples[j];
        if (std::isfinite(v)) {
          accumulate(v);
        }
      }
      return;
    }
    const Baseline& b = cell_->EffectiveBaseline();
    // slope × T first, as At() evaluates it, so chunked and single-sample feeding agree exactly.
    const double step = b.slope * interval_;
    // The tick distance counts up in a double: whole numbers this small are exact, and it
    // spares a conversion per sample.
    double k = static_cast<double>(firstIndex);
    for (std::uint32_t j = 0; j < count; ++j, k += 1.0) {
      const double v = samples[j];
      if (std::isfinite(v)) {
        accumulate(v - (b.intercept + step * k));
      }
    }
  }

 private:
  const TableViewElem* cell_;
  IChartData* data_;
  double interval_;
  std::int32_t startTick_;
  std::int32_t endTick_;
};

// A running sum and count of samples, for the plug-ins that add samples up.
struct RunningSum {
  double sum = 0.0;
  double count = 0.0;

  void Add(double v) {
    sum += v;
    count += 1.0;
  }
  // A chunk through Plugin::Feed. Totals in locals stay in registers for the whole chunk;
  // adding the finite count once equals adding 1.0 that many times below 2^53.
  template <class Feeder>
  void AddChunk(Feeder feed) {
    double s = sum;
    std::uint32_t added = 0;
    feed([&s, &added](double v) {
      s += v;
      ++added;
    });
    sum = s;
    count += static_cast<double>(added);
  }
};

// The plug-in of a calculation type (0 to 4); none for any other value.
std::unique_ptr<Plugin> MakePlugin(std::int32_t calcType, const TableViewElem* cell,
                                   IChartData* data, double interval, std::int32_t startTick,
                                   std::int32_t endTick);

}  // namespace Tessel
