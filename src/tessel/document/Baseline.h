#pragma once

namespace Tessel {

// A straight baseline from the dose position: level at the dose, change per second after it.
struct Baseline {
  bool present = false;
  double intercept = 0.0;
  double slope = 0.0;

  bool operator==(const Baseline&) const = default;

  // The baseline value k ticks after the dose position at interval seconds per sample.
  double At(double interval, double k) const { return intercept + slope * interval * k; }
};

}  // namespace Tessel
