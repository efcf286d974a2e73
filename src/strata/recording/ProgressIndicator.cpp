#include "strata/recording/ProgressIndicator.h"

namespace Strata {

Tessel::Status ProgressIndicator::Begin(const std::string& title) {
  title_ = title;
  texts_.clear();
  active_ = true;
  stop_ = false;
  ++sessions_;
  return Tessel::kOk;
}

Tessel::Status ProgressIndicator::Update(double fraction, const std::string& text) {
  texts_.push_back(text);
  if (onUpdate_) {
    onUpdate_(fraction, text);
  }
  if (stopAfter_ >= 0 && static_cast<int>(texts_.size()) >= stopAfter_) {
    stop_ = true;
  }
  return Tessel::kOk;
}

Tessel::Status ProgressIndicator::End() {
  active_ = false;
  return Tessel::kOk;
}

}  // namespace Strata
