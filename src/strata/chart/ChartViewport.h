#pragma once

#include "strata/chart/ChartTimeline.h"

namespace Strata {

// The stretch of the time axis the Chart View shows across its width in pixels, and how the
// mouse wheel, the keys and the scroll bar move it. From one sample per pixel (the finest
// interval) out to the whole recording.
class ChartViewport {
 public:
  ChartViewport(const ChartTimeline& timeline, int width);

  double From() const { return from_; }
  double To() const { return from_ + span_; }
  double Span() const { return span_; }
  int Width() const { return width_; }

  void SetWidth(int width);
  // Zooms by a factor (below 1 in, above 1 out) keeping the time at pixel x where it is.
  void Zoom(double factor, double x);
  void ZoomAll();
  // Moves by a fraction of the span (negative: earlier).
  void Pan(double fraction);
  // Shows the span [from, from + span], clamped into the recording.
  void Show(double from, double span);
  // Centres a time without changing the zoom.
  void CentreOn(double seconds);

  double TimeAtX(double x) const { return from_ + span_ * x / width_; }
  double XOfTime(double seconds) const { return (seconds - from_) * width_ / span_; }

 private:
  void Clamp();

  double duration_;
  double minSpan_;
  int width_;
  double from_ = 0.0;
  double span_ = 1.0;
};

}  // namespace Strata
