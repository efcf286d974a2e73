#pragma once

#include <cstdint>
#include <string>

#include "tessel/host/IProgressIndicator.h"
#include "tessel/host/Ref.h"

namespace Tessel {

// Shows a long operation's progress as whole percentages ("40 %") in the host's progress window,
// redrawing only when the number changes, and tells when the user pressed Stop. Works without a
// window too: then nothing is shown and nothing stops.
class ProgressReporter {
 public:
  ProgressReporter(IProgressIndicator* progress, const std::string& title);
  ~ProgressReporter();
  ProgressReporter(const ProgressReporter&) = delete;
  ProgressReporter& operator=(const ProgressReporter&) = delete;

  // done of total steps are finished; true when the user asked to stop.
  bool Step(std::uint64_t done, std::uint64_t total);

  // The percentage last shown; a writer that keeps it across runs shows a repeated number once.
  std::int64_t LastPercent() const { return lastPercent_; }
  void SetLastPercent(std::int64_t percent) { lastPercent_ = percent; }

 private:
  Ref<IProgressIndicator> progress_;
  std::int64_t lastPercent_ = -1;
};

}  // namespace Tessel
