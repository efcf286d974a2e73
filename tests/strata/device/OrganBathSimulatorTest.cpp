#include <gtest/gtest.h>

#include <cmath>

#include "strata/device/OrganBathSimulator.h"

namespace {

// The four-parameter logistic, written out here rather than taken from the simulator.
double Hill(double bottom, double top, double ec50, double slope, double concentration) {
  return bottom + (top - bottom) / (1.0 + std::pow(ec50 / concentration, slope));
}

const double kConcentrations[] = {0.001, 0.003, 0.01, 0.03, 0.1, 0.3, 1, 3};

// Mean of a channel over the last ten seconds before a tick, less the baseline drift there.
double PlateauBefore(const std::vector<float>& samples, std::uint32_t end, double rate,
                     double drift) {
  const auto n = static_cast<std::uint32_t>(10 * rate);
  double sum = 0.0;
  for (std::uint32_t t = end - n; t < end; ++t) {
    sum += samples[t] - drift * t / rate;
  }
  return sum / n;
}

TEST(OrganBathSimulator, SettledResponsesFollowEachTissuesHillCurve) {
  Strata::SimulatorSettings s;
  Strata::OrganBathSimulator sim(s);
  const Strata::Recording rec = sim.MakeRecording();
  const auto doseTicks = static_cast<std::uint32_t>(s.doseSeconds * s.sampleRate);
  // Ten seconds of white noise average down to noise / sqrt(200); the approach to the plateau
  // leaves exp(-110 s / 15 s) of the step, under 0.01 mN.
  const double tolerance = 5 * s.noise / std::sqrt(10 * s.sampleRate) + 0.01;
  const Strata::TissueModel tissues[] = {s.first, s.second};
  for (int run = 0; run < s.runs; ++run) {
    for (int k = 0; k < s.doses; ++k) {
      const Strata::SimulatedDose& dose = sim.Doses()[static_cast<std::size_t>(run * s.doses + k)];
      ASSERT_DOUBLE_EQ(dose.concentration, kConcentrations[k]);
      for (std::size_t c = 0; c < 2; ++c) {
        const Strata::TissueModel& t = tissues[c];
        const double ec50 = t.ec50 * std::pow(s.antagonistShift, run);
        const double expected = Hill(t.bottom, t.top, ec50, t.hillSlope, kConcentrations[k]);
        const double measured =
            PlateauBefore(rec.BlockAt(0).samples[c], dose.tick + doseTicks, s.sampleRate, s.drift);
        EXPECT_NEAR(measured, expected, tolerance)
            << "run " << run << " dose " << k << " tissue " << c;
      }
    }
  }
}

TEST(OrganBathSimulator, DoseCommentsMarkEachDoseOnAllChannels) {
  Strata::SimulatorSettings s;
  s.runs = 2;
  s.doses = 3;
  const Strata::Recording rec = Strata::OrganBathSimulator(s).MakeRecording();
  std::vector<std::pair<std::uint32_t, std::string>> comments;
  for (const auto& c : rec.Comments()) {
    EXPECT_EQ(c.channel, -1);
    comments.emplace_back(c.position.Tick(), c.text);
  }
  // 60 s of baseline, a dose every 120 s, 300 s of washout between the runs, at 20 Hz.
  EXPECT_EQ(comments, (std::vector<std::pair<std::uint32_t, std::string>>{
                          {1200, "TSL: <0.001> <Control>"},
                          {3600, "TSL: <0.003> <Control>"},
                          {6000, "TSL: <0.01> <Control>"},
                          {14400, "TSL: <0.001> <Antagonist>"},
                          {16800, "TSL: <0.003> <Antagonist>"},
                          {19200, "TSL: <0.01> <Antagonist>"}}));
  EXPECT_EQ(rec.BlockAt(0).Ticks(), (60u + 2 * (3 * 120 + 300)) * 20);
  EXPECT_EQ(rec.Validate(), "");
}

TEST(OrganBathSimulator, ChunksContinueOneAnother) {
  // Live sampling asks for small chunks; they must join into the same experiment.
  Strata::SimulatorSettings s;
  s.doses = 2;
  s.runs = 1;
  Strata::OrganBathSimulator whole(s);
  Strata::OrganBathSimulator chunked(s);
  const auto all = whole.Next(3000);
  std::vector<float> joined;
  for (int i = 0; i < 30; ++i) {
    const auto part = chunked.Next(100);
    joined.insert(joined.end(), part[0].begin(), part[0].end());
  }
  EXPECT_EQ(joined, all[0]);
}

}  // namespace
