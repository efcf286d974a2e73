#include <gtest/gtest.h>

#include <cmath>

#include "strata/device/OrganBathSimulator.h"
#include "strata/import/EdfWriter.h"
#include "strata/import/RecordingImporter.h"
#include "support/TempFiles.h"
#include "tessel/views/TableSession.h"

namespace {

constexpr std::uint32_t kRunB = Tessel::kFirstRunColumn;

// The response to each dose, measured as a person would: the settled stretch from 60 s to 110 s
// after the dose selected on the first tissue, then Add Response.
std::vector<double> MeasureResponses(const Strata::Recording& recording,
                                     const std::vector<Strata::SimulatedDose>& doses) {
  Testing::TableSession s(recording);
  std::vector<std::string> texts;
  for (const auto& d : doses) {
    texts.push_back(d.doseText);
  }
  s.TypeDoses(texts);
  s.SetRunChannels({0});
  std::vector<double> responses;
  for (std::size_t i = 0; i < doses.size(); ++i) {
    const auto row = Tessel::kFirstDoseRow + static_cast<std::uint32_t>(i);
    s.Table().SelectCell(row, kRunB);
    s.Select(0, doses[i].tick + 60 * 20, doses[i].tick + 110 * 20);
    EXPECT_EQ(s.PressF3(), Tessel::kOk) << i;
    responses.push_back(s.Cell(row, kRunB).response);
  }
  return responses;
}

TEST(ImportedResponses, MeasuredAfterImportTheyEqualThoseOfTheOriginalSamples) {
  Strata::SimulatorSettings settings;
  settings.runs = 1;
  settings.doses = 6;
  Strata::OrganBathSimulator sim(settings);
  const Strata::Recording original = sim.MakeRecording();
  const Testing::TempDir dir;
  const std::string path = dir / "imported.edf";
  ASSERT_EQ(Strata::WriteEdfPlus(original, path), "");
  const Strata::ImportResult imported = Strata::ImportRecording(path);
  ASSERT_TRUE(imported.ok) << imported.error;

  const auto before = MeasureResponses(original, sim.Doses());
  const auto after = MeasureResponses(imported.recording, sim.Doses());
  ASSERT_EQ(after.size(), before.size());
  // The file spreads the channel's range (under 30 mN) over 65536 steps; a mean moves by at
  // most half a step.
  const double halfStep = 0.5 * 30.0 / 65535;
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_TRUE(std::isfinite(before[i]));
    EXPECT_NEAR(after[i], before[i], halfStep) << "dose " << i;
  }
  // And they climb the curve: the measurement saw the responses, not a flat line.
  EXPECT_GT(before.back() - before.front(), 10.0);
}

}  // namespace
