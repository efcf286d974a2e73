#include "strata/recording/ProgressIndicator.h"

namespace Strata {
namespace {

template <class F, class... Args>
void Call(const F& f, Args&&... args) {
  if (f) {
    f(std::forward<Args>(args)...);
  }
}

}  // namespace

Tessel::Status ProgressIndicator::Begin(const std::string& title) {
  title_ = title;
  texts_.clear();
  active_ = true;
  stop_ = false;
  ++sessions_;
  Call(observer_.begin, title);
  return Tessel::kOk;
}

Tessel::Status ProgressIndicator::Update(double fraction, const std::string& text) {
  texts_.push_back(text);
  Call(onUpdate_, fraction, text);
  Call(observer_.update, fraction, text);
  Call(observer_.poll);
  if (stopAfter_ >= 0 && static_cast<int>(texts_.size()) >= stopAfter_) {
    stop_ = true;
  }
  return Tessel::kOk;
}

Tessel::Status ProgressIndicator::StopPressed() {
  Call(observer_.poll);
  return stop_ ? Tessel::kOk : Tessel::kFalse;
}

Tessel::Status ProgressIndicator::End() {
  active_ = false;
  Call(observer_.end);
  return Tessel::kOk;
}

}  // namespace Strata
