#include "tessel/host/ProgressReporter.h"

namespace Tessel {

ProgressReporter::ProgressReporter(IProgressIndicator* progress, const std::string& title)
    : progress_(progress) {
  if (progress_) {
    progress_->Begin(title);
  }
}

ProgressReporter::~ProgressReporter() {
  if (progress_) {
    progress_->End();
  }
}

bool ProgressReporter::Step(std::uint64_t done, std::uint64_t total) {
  if (!progress_) {
    return false;
  }
  const auto percent = static_cast<std::int64_t>(total == 0 ? 100 : done * 100 / total);
  if (percent != lastPercent_) {
    lastPercent_ = percent;
    progress_->Update(static_cast<double>(percent) / 100.0, std::to_string(percent) + " %");
  }
  return progress_->StopPressed() == kOk;
}

}  // namespace Tessel
