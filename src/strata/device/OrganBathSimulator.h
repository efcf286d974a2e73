#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "strata/recording/Recording.h"

namespace Strata {

// One tissue strip in the bath: its concentration-response curve, in mN of tension.
struct TissueModel {
  std::string title = "Tension";
  double bottom = 2.0;     // resting tension
  double top = 22.0;       // tension at a maximal concentration
  double ec50 = 0.1;       // µM, in the control run
  double hillSlope = 1.0;  // steepness
};

// An organ-bath experiment: cumulative concentration-response runs, the first a control and each
// later one after an antagonist that shifts the EC50 to the right.
struct SimulatorSettings {
  std::uint64_t seed = 1;
  int runs = 2;
  int doses = 8;                  // per run; half-log steps 0.001, 0.003, 0.01, ... µM
  double sampleRate = 20.0;       // Hz; a whole number of samples per second
  double baselineSeconds = 60.0;  // before the first dose
  double doseSeconds = 120.0;     // between doses: long enough for the response to settle
  double washoutSeconds = 300.0;  // after each run: washout and antagonist incubation
  double onsetSeconds = 15.0;     // time constant of a rising response
  double decaySeconds = 40.0;     // time constant of relaxation
  double noise = 0.05;            // mN, standard deviation of the white noise
  double drift = 0.0005;          // mN per second of baseline drift
  double antagonistShift = 10.0;  // EC50 factor per antagonist run
  bool secondTissue = true;
  TissueModel first{"Tension 1", 2.0, 22.0, 0.1, 1.0};
  TissueModel second{"Tension 2", 1.5, 16.0, 0.2, 1.2};
};

// A dose given during the experiment.
struct SimulatedDose {
  std::uint32_t tick = 0;
  double concentration = 0.0;  // cumulative, µM
  std::string doseText;        // as written into the dose comment
  std::string runLabel;
  int run = 0;
};

// A seeded, deterministic organ-bath recording: the tension of each tissue follows its Hill curve
// of the cumulative concentration, approached with the onset time constant after each dose and
// left with the decay time constant at washout, plus baseline drift and Gaussian noise. The same
// settings give the same samples on every run, so recordings made from it can be regenerated
// byte for byte.
class OrganBathSimulator {
 public:
  explicit OrganBathSimulator(SimulatorSettings settings);

  const SimulatorSettings& Settings() const { return settings_; }
  double Interval() const { return 1.0 / settings_.sampleRate; }
  std::uint32_t TotalTicks() const { return totalTicks_; }
  const std::vector<SimulatedDose>& Doses() const { return doses_; }
  std::vector<const TissueModel*> Tissues() const;

  // The steady tension of a tissue at a cumulative concentration in a run, before noise and
  // drift: the four-parameter logistic with the run's EC50.
  double HillResponse(const TissueModel& tissue, int run, double concentration) const;
  // The baseline drift at a tick.
  double DriftAt(std::uint32_t tick) const { return settings_.drift * tick * Interval(); }

  // The next count samples of every channel, continuing where the last call ended; after the
  // experiment's end the tissues stay at rest.
  std::vector<std::vector<float>> Next(std::uint32_t count);
  // The whole experiment as a recording, with a dose comment "TSL: <dose> <run>" on all
  // channels at each dose.
  Recording MakeRecording();

 private:
  double Gaussian();
  double TargetAt(std::size_t tissue) const;

  SimulatorSettings settings_;
  std::vector<SimulatedDose> doses_;
  std::vector<std::uint32_t> washoutTicks_;  // per run
  std::uint32_t totalTicks_ = 0;
  std::mt19937_64 random_;
  std::uint32_t tick_ = 0;
  std::size_t nextDose_ = 0;
  std::size_t nextWashout_ = 0;
  int run_ = 0;
  double concentration_ = 0.0;
  std::vector<double> level_;  // per tissue
};

// Run labels: "Control", then "Antagonist", "Antagonist2", ...
std::string SimulatedRunLabel(int run);

}  // namespace Strata
