#include <gtest/gtest.h>

#include <cmath>

#include "StorageFixture.h"
#include "support/TestData.h"
#include "tessel/persist/PersistFixture.h"

namespace Strata {
namespace {

using Testing::Classes;
using Testing::TempDir;

Recording SmallRecording() {
  return Testing::RecordingBuilder()
      .Block(0.01, 300)
      .Block(0.02, 120)
      .Channel("Tension", "mN", [](double t) { return 3.5 + std::sin(t); })
      .Channel("Bath", "degC", [](double t) { return 37.0 + 0.01 * t; })
      .Comment(-1, 0, 10, "TSL: <0.1> <Control>")
      .Comment(0, 1, 50, "Wash")
      .Build();
}

bool SameDocument(ChartDocument& opened, Testing::TestChart& saved) {
  const Tessel::Document* doc = Testing::TesselOf(opened);
  return opened.Data() == saved.Chart().Data() && doc != nullptr &&
         doc->Settings() == saved.Doc().Settings() && doc->Matrix() == saved.Doc().Matrix() &&
         doc->TableViewState() == saved.Doc().TableViewState();
}

// One bit flipped at positions all over a saved document, header, pages and unused space alike:
// every copy is refused with a message naming the file, or opens exactly as saved because the bit
// fell where nothing is read. None opens with a changed sample, label, comment or Tessel value.
TEST(DamagedDocumentTest, AFlippedBitIsRefusedOrChangesNothing) {
  TempDir folder;
  Testing::TestChart chart(SmallRecording());
  Testing::FillEverything(chart.Doc());
  const std::string good = (folder / "good.strata");
  ASSERT_EQ(StrataFile::Save(good, chart.Chart(), Classes()), "");
  const std::string bytes = Testing::ReadFile(good);
  const std::string path = (folder / "damaged.strata");
  const std::string named = "Cannot open \"" + path + "\": ";

  int refused = 0;
  int byChecksum = 0;
  int unchanged = 0;
  // Every byte of the file header, then every 11th: a prime stride lands in every part of every
  // page.
  for (size_t at = 0; at < bytes.size(); at += at < 100 ? 1 : 11) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ (1 << (at % 8)));
    Testing::WriteFile(path, damaged);
    StrataFile::Opened opened = StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
    if (!opened.chart) {
      EXPECT_EQ(opened.error.rfind(named, 0), 0u) << at << ": " << opened.error;
      ++refused;
      byChecksum += opened.error.find("checksum") != std::string::npos ? 1 : 0;
      continue;
    }
    EXPECT_TRUE(SameDocument(*opened.chart, chart)) << "a bit flipped at byte " << at;
    opened.chart->Close();
    ++unchanged;
  }
  EXPECT_GT(byChecksum, 0);
  RecordProperty("refused", refused);
  RecordProperty("refusedByChecksum", byChecksum);
  RecordProperty("unchanged", unchanged);
}

// What the checksum names: the damaged part, in the user's numbering. Without checksums, as a
// document saved before records carried them (format 1), the same file opens as it always did.
TEST(DamagedDocumentTest, TheRefusalNamesWhatIsDamagedAndFormatOneStillOpens) {
  TempDir folder;
  Testing::TestChart chart(SmallRecording());
  Testing::FillEverything(chart.Doc());
  const std::string good = (folder / "good.strata");
  ASSERT_EQ(StrataFile::Save(good, chart.Chart(), Classes()), "");
  for (const Testing::DataRow& c : Testing::DataTable("storage/checksums.txt")) {
    const std::string path = (folder / "patched.strata");
    std::filesystem::copy_file(good, path, std::filesystem::copy_options::overwrite_existing);
    Testing::Patch(path, c[0]);
    StrataFile::Opened opened = StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
    EXPECT_FALSE(opened.chart) << c.where;
    EXPECT_EQ(opened.error, "Cannot open \"" + path + "\": it is damaged (" + c[1] + ").");
  }
  Testing::Patch(good, Testing::kAsFormatOne);
  StrataFile::Opened opened = StrataFile::Open(good, Tessel::Ref<Host>(&chart.Host()), Classes());
  ASSERT_TRUE(opened.chart) << opened.error;
  EXPECT_TRUE(SameDocument(*opened.chart, chart));
  opened.chart->Close();
}

}  // namespace
}  // namespace Strata
