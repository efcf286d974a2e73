#include "strata/device/OrganBathSimulator.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace Strata {
namespace {

// Half-log concentration steps written the way they are pipetted: 1, 3, 10, 30, ...
double DoseConcentration(int k) {
  const double decade = std::pow(10.0, -3 + k / 2);
  return (k % 2 == 0) ? decade : 3.0 * decade;
}

std::string DoseText(double concentration) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", concentration);
  return buffer;
}

std::uint32_t TickOf(double seconds, double rate) {
  return static_cast<std::uint32_t>(std::llround(seconds * rate));
}

}  // namespace

std::string SimulatedRunLabel(int run) {
  if (run == 0) {
    return "Control";
  }
  return run == 1 ? "Antagonist" : "Antagonist" + std::to_string(run);
}

OrganBathSimulator::OrganBathSimulator(SimulatorSettings settings)
    : settings_(std::move(settings)), random_(settings_.seed) {
  const SimulatorSettings& s = settings_;
  double t = s.baselineSeconds;
  for (int r = 0; r < s.runs; ++r) {
    for (int k = 0; k < s.doses; ++k) {
      const double c = DoseConcentration(k);
      doses_.push_back(
          SimulatedDose{TickOf(t, s.sampleRate), c, DoseText(c), SimulatedRunLabel(r), r});
      t += s.doseSeconds;
    }
    washoutTicks_.push_back(TickOf(t, s.sampleRate));
    t += s.washoutSeconds;
  }
  totalTicks_ = TickOf(t, s.sampleRate);
  for (const TissueModel* tissue : Tissues()) {
    level_.push_back(tissue->bottom);
  }
}

std::vector<const TissueModel*> OrganBathSimulator::Tissues() const {
  std::vector<const TissueModel*> tissues{&settings_.first};
  if (settings_.secondTissue) {
    tissues.push_back(&settings_.second);
  }
  return tissues;
}

double OrganBathSimulator::HillResponse(const TissueModel& tissue, int run,
                                        double concentration) const {
  if (concentration <= 0.0) {
    return tissue.bottom;
  }
  const double ec50 = tissue.ec50 * std::pow(settings_.antagonistShift, run);
  const double exponent = (std::log10(ec50) - std::log10(concentration)) * tissue.hillSlope;
  return tissue.bottom + (tissue.top - tissue.bottom) / (1.0 + std::pow(10.0, exponent));
}

// Box-Muller on the engine's raw 64-bit output: the standard library's distributions may differ
// between implementations, and the demo file must not.
double OrganBathSimulator::Gaussian() {
  const double u1 = (static_cast<double>(random_() >> 11) + 1.0) * 0x1.0p-53;
  const double u2 = static_cast<double>(random_() >> 11) * 0x1.0p-53;
  return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

double OrganBathSimulator::TargetAt(std::size_t tissue) const {
  return HillResponse(*Tissues()[tissue], run_, concentration_);
}

std::vector<std::vector<float>> OrganBathSimulator::Next(std::uint32_t count) {
  const auto tissues = Tissues();
  std::vector<std::vector<float>> out(tissues.size());
  const double dt = Interval();
  for (std::uint32_t i = 0; i < count; ++i, ++tick_) {
    while (nextDose_ < doses_.size() && doses_[nextDose_].tick == tick_) {
      run_ = doses_[nextDose_].run;
      concentration_ = doses_[nextDose_++].concentration;
    }
    if (nextWashout_ < washoutTicks_.size() && washoutTicks_[nextWashout_] == tick_) {
      concentration_ = 0.0;
      ++nextWashout_;
    }
    for (std::size_t c = 0; c < tissues.size(); ++c) {
      const double target = TargetAt(c);
      const double tau = target > level_[c] ? settings_.onsetSeconds : settings_.decaySeconds;
      level_[c] += (target - level_[c]) * (1.0 - std::exp(-dt / tau));
      const double value = level_[c] + DriftAt(tick_) + settings_.noise * Gaussian();
      out[c].push_back(static_cast<float>(value));
    }
  }
  return out;
}

Recording OrganBathSimulator::MakeRecording() {
  Recording rec;
  for (const TissueModel* tissue : Tissues()) {
    rec.AddChannel(tissue->title);
  }
  const std::int32_t block = rec.AddBlock(Interval(), 0, 0.0);
  for (auto& units : rec.BlockAt(block).units) {
    units = "mN";
  }
  rec.AppendSamples(block, Next(totalTicks_ - tick_));
  for (const SimulatedDose& d : doses_) {
    rec.AddComment(-1, TickPosition(0, d.tick), "TSL: <" + d.doseText + "> <" + d.runLabel + ">");
  }
  return rec;
}

}  // namespace Strata
