#include "strata/chart/ChartViewport.h"

#include <algorithm>

namespace Strata {

ChartViewport::ChartViewport(const ChartTimeline& timeline, int width)
    : duration_(timeline.Duration()), width_(std::max(width, 1)) {
  minSpan_ = timeline.FinestInterval() * width_;
  ZoomAll();
}

void ChartViewport::SetWidth(int width) {
  const double perPixel = minSpan_ / width_;
  width_ = std::max(width, 1);
  minSpan_ = perPixel * width_;
  Clamp();
}

void ChartViewport::Zoom(double factor, double x) {
  const double anchor = TimeAtX(x);
  span_ *= factor;
  Clamp();
  from_ = anchor - span_ * x / width_;
  Clamp();
}

void ChartViewport::ZoomAll() {
  from_ = 0.0;
  span_ = duration_ > 0.0 ? duration_ : minSpan_;
  Clamp();
}

void ChartViewport::Pan(double fraction) {
  from_ += fraction * span_;
  Clamp();
}

void ChartViewport::Show(double from, double span) {
  from_ = from;
  span_ = span;
  Clamp();
}

void ChartViewport::CentreOn(double seconds) {
  from_ = seconds - span_ / 2.0;
  Clamp();
}

void ChartViewport::Clamp() {
  // Never finer than one sample per pixel, never wider than the recording (a recording shorter
  // than one screen of samples is shown at one sample per pixel from its start).
  const double widest = std::max(duration_, minSpan_);
  span_ = std::clamp(span_, minSpan_, widest);
  from_ = std::clamp(from_, 0.0, std::max(0.0, duration_ - span_));
}

}  // namespace Strata
