#include <gtest/gtest.h>

#include <cmath>

#include "strata/import/EdfTestWriter.h"
#include "strata/import/EdfWriter.h"
#include "strata/import/RecordingImporter.h"

namespace {

TEST(EdfWriter, CommentsOnOneChannelAndUtf8TextsComeBack) {
  const Testing::TempDir dir;
  Strata::Recording original;
  original.AddChannel("Ileum");
  original.AddChannel("Aorta");
  original.AddBlock(0.01, 300);
  original.BlockAt(0).units = {"g", "mN"};
  for (std::uint32_t t = 0; t < 300; ++t) {
    original.BlockAt(0).samples[0][t] = static_cast<float>(2.0 + std::sin(t * 0.01));
    original.BlockAt(0).samples[1][t] = static_cast<float>(-0.05 * t);
  }
  original.AddComment(-1, {0, 0}, "Start");
  original.AddComment(1, {0, 150}, "Noradrenalin 1 µM – Bad 2");
  original.AddComment(0, {0, 299}, "TSL: <0.5> <Control>");
  const std::string path = Testing::WriteFile(dir / "writer.edf", "");
  ASSERT_EQ(Strata::WriteEdfPlus(original, path), "");
  const auto r = Strata::ImportRecording(path);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.recording.Comments(), original.Comments());
  EXPECT_EQ(r.recording.BlockAt(0).units, (std::vector<std::string>{"g", "mN"}));
  EXPECT_DOUBLE_EQ(r.recording.BlockAt(0).interval, 0.01);
}

TEST(EdfWriter, RefusedRecordingLeavesTheExistingFileAlone) {
  const Testing::TempDir dir;
  const std::string path = Testing::WriteFile(dir / "keep.edf", "good file");
  Strata::Recording twoBlocks;
  twoBlocks.AddChannel("A");
  twoBlocks.AddBlock(0.01, 100);
  twoBlocks.AddBlock(0.01, 100);
  EXPECT_EQ(Strata::WriteEdfPlus(twoBlocks, path),
            "an EDF+ file is written from a recording of one block with at least one channel");
  Strata::Recording partRecord;
  partRecord.AddChannel("A");
  partRecord.AddBlock(0.01, 150);
  EXPECT_EQ(Strata::WriteEdfPlus(partRecord, path),
            "the recording does not fill a whole number of EDF data records");
  EXPECT_EQ(Testing::ReadFile(path), "good file");
  Strata::Recording good;
  good.AddChannel("A");
  good.AddBlock(0.01, 100);
  EXPECT_EQ(Strata::WriteEdfPlus(good, "/nonexistent/dir/out.edf"),
            "the file cannot be created: its folder does not exist or cannot be written");
}

}  // namespace
