#include "tessel/export/PrismXmlWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/TableBuilder.h"
#include "support/TestData.h"
#include "tessel/export/ExportPath.h"
#include "tessel/export/MatrixCells.h"

namespace Tessel {
namespace {

namespace fs = std::filesystem;

using Testing::ReadFile;
using Testing::Table;
using Testing::TempDir;

// A real XML parser accepts the file.
void ExpectWellFormed(const std::string& path) {
  EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0) << path;
}

TEST(PrismXmlWriterTest, ControlWithARepeatAndDrugWithoutResponse) {
  Table t({"Control", "control", "Drug"}, {"0.5"});
  t.Response(0, 2, "1.23").Response(0, 3, "1.5");
  const MatrixCells cells(t.Matrix(), {});
  const std::string expected = Testing::DataText("export/control-repeat-drug.xml");
  EXPECT_EQ(PrismXmlWriter(cells).Text(), expected);
  const TempDir dir;
  ASSERT_TRUE(WritePrismXml(cells, dir / "control.xml"));
  EXPECT_EQ(ReadFile(dir / "control.xml"), expected);
  ExpectWellFormed(dir / "control.xml");
}

TEST(PrismXmlWriterTest, UnnamedRunsGiveOnlyTheXColumn) {
  Table t({}, {"1"});
  t.Matrix().InsertColumn(3, t.Matrix().NewRunColumn(3));
  const MatrixCells cells(t.Matrix(), {});
  const std::string text = PrismXmlWriter(cells).Text();
  EXPECT_NE(text.find("Replicates=\"1\""), std::string::npos);
  EXPECT_EQ(text.find("<YColumn"), std::string::npos);
  EXPECT_NE(text.find("<XColumn"), std::string::npos);
}

TEST(PrismXmlWriterTest, RepeatsWithoutTheirMainRunAreDropped) {
  Table t({"Orphan", "Kept"}, {"1"});
  t.Response(0, 2, "9").Response(0, 3, "7");
  t.Matrix().Cell(kRowRepeat, 2).text = "Repeat 2";
  const MatrixCells cells(t.Matrix(), {});
  const PrismXmlWriter writer(cells);
  EXPECT_EQ(writer.ReplicateCount(), 3);
  const std::string text = writer.Text();
  EXPECT_EQ(text.find("Orphan"), std::string::npos);
  EXPECT_EQ(text.find("<d>9</d>"), std::string::npos);
  EXPECT_NE(text.find("<Title>Kept</Title>"), std::string::npos);
}

TEST(PrismXmlWriterTest, RepeatNumbersAreReadAfterTheFirstWord) {
  TableViewMatrix m(nullptr);
  for (std::uint32_t c = 3; c <= 6; ++c) {
    m.InsertColumn(c, m.NewRunColumn(c));
  }
  const std::pair<const char*, int> cases[] = {
      {"Repeat 12", 12}, {"", 0}, {"Repeat", 0}, {"Wiederholung 3", 3}, {"Repeat x", 0}};
  for (std::uint32_t c = 0; c < 5; ++c) {
    m.Cell(kRowRepeat, 2 + c).text = cases[c].first;
  }
  const MatrixCells cells(m, {});
  const PrismXmlWriter writer(cells);
  for (std::uint32_t c = 0; c < 5; ++c) {
    EXPECT_EQ(writer.RepeatOf(2 + c), cases[c].second) << cases[c].first;
  }
}

TEST(PrismXmlWriterTest, MarkupInLabelsAndValuesIsEscaped) {
  Table t({"A&B \"quoted\""}, {"1<2"});
  t.Response(0, 2, "<5>");
  const MatrixCells cells(t.Matrix(), {});
  const std::string text = PrismXmlWriter(cells).Text();
  EXPECT_NE(text.find("<Title>A&amp;B &quot;quoted&quot;</Title>"), std::string::npos);
  EXPECT_NE(text.find("<d>1&lt;2</d>"), std::string::npos);
  EXPECT_NE(text.find("<d>&lt;5&gt;</d>"), std::string::npos);
  const TempDir dir;
  ASSERT_TRUE(WritePrismXml(cells, dir / "markup.xml"));
  ExpectWellFormed(dir / "markup.xml");
}

TEST(PrismXmlWriterTest, AFileThatCannotBeOpenedIsReportedAndNothingIsCreated) {
  TableViewMatrix m(nullptr);
  const MatrixCells cells(m, {});
  const TempDir dir;
  const fs::path path = dir.path() / "no-such-folder" / "table.xml";
  EXPECT_FALSE(WritePrismXml(cells, path.string()));
  EXPECT_FALSE(fs::exists(path));
}

TEST(ExportPathTest, DefaultExtensionIsAppendedOnlyWhenMissing) {
  const std::pair<const char*, const char*> cases[] = {
      {"results", "results.xml"},
      {"RESULTS.XML", "RESULTS.XML"},
      {"data.xml.bak", "data.xml.bak.xml"},
      {"Tab.Xml", "Tab.Xml"},
      {"/home/user/Übung", "/home/user/Übung.xml"},
      {"xml", "xml.xml"},
  };
  for (const auto& [chosen, expected] : cases) {
    EXPECT_EQ(WithDefaultExtension(chosen, "xml"), expected) << chosen;
  }
  EXPECT_EQ(WithDefaultExtension("table", "txt"), "table.txt");
}

}  // namespace
}  // namespace Tessel
