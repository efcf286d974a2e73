#include "tessel/export/PrismXmlWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/TestData.h"
#include "tessel/export/ExportPath.h"
#include "tessel/export/MatrixCells.h"

namespace Tessel {
namespace {

namespace fs = std::filesystem;

// A run column named and measured as a user would leave it.
void SetRun(TableViewMatrix& m, std::uint32_t column, const std::string& label,
            const std::vector<std::string>& responses) {
  while (m.ColumnCount() <= column) {
    m.InsertColumn(m.ColumnCount(), m.NewRunColumn(m.ColumnCount()));
  }
  TableViewElem& l = m.Cell(kRowLabel, column);
  l.text = label;
  l.commentText = label;
  l.flags = kFlagsRunLabelPlaceholder & ~kCellPrompt;
  for (size_t i = 0; i < responses.size(); ++i) {
    m.Cell(kFirstDoseRow + static_cast<std::uint32_t>(i), column).text = responses[i];
  }
}

void SetDose(TableViewMatrix& m, std::uint32_t row, const std::string& dose) {
  while (m.RowCount() <= row + 1) {
    m.AppendRow();
  }
  TableViewElem& d = m.Cell(row, kDoseColumn);
  d.text = dose;
  d.flags = kFlagsEnterDose & ~kCellPrompt;
}

using Testing::ReadFile;
using Testing::TempDir;

// A real XML parser accepts the file.
void ExpectWellFormed(const std::string& path) {
  EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0) << path;
}

TEST(PrismXmlWriterTest, ControlWithARepeatAndDrugWithoutResponse) {
  TableViewMatrix m(nullptr);
  SetDose(m, 4, "0.5");
  SetRun(m, 2, "Control", {"1.23"});
  SetRun(m, 3, "control", {"1.5"});
  m.Cell(kRowRepeat, 3).text = "Repeat 1";
  SetRun(m, 4, "Drug", {});
  const MatrixCells cells(m, {});
  const std::string expected = Testing::DataText("export/control-repeat-drug.xml");
  EXPECT_EQ(PrismXmlWriter(cells).Text(), expected);
  const TempDir dir;
  ASSERT_TRUE(WritePrismXml(cells, dir / "control.xml"));
  EXPECT_EQ(ReadFile(dir / "control.xml"), expected);
  ExpectWellFormed(dir / "control.xml");
}

TEST(PrismXmlWriterTest, UnnamedRunsGiveOnlyTheXColumn) {
  TableViewMatrix m(nullptr);
  SetDose(m, 4, "1");
  m.InsertColumn(3, m.NewRunColumn(3));
  const MatrixCells cells(m, {});
  const std::string text = PrismXmlWriter(cells).Text();
  EXPECT_NE(text.find("Replicates=\"1\""), std::string::npos);
  EXPECT_EQ(text.find("<YColumn"), std::string::npos);
  EXPECT_NE(text.find("<XColumn"), std::string::npos);
}

TEST(PrismXmlWriterTest, RepeatsWithoutTheirMainRunAreDropped) {
  TableViewMatrix m(nullptr);
  SetDose(m, 4, "1");
  SetRun(m, 2, "Orphan", {"9"});
  m.Cell(kRowRepeat, 2).text = "Repeat 2";
  SetRun(m, 3, "Kept", {"7"});
  const MatrixCells cells(m, {});
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
  m.Cell(kRowRepeat, 2).text = "Repeat 12";
  m.Cell(kRowRepeat, 3).text = "";
  m.Cell(kRowRepeat, 4).text = "Repeat";
  m.Cell(kRowRepeat, 5).text = "Wiederholung 3";
  m.Cell(kRowRepeat, 6).text = "Repeat x";
  const MatrixCells cells(m, {});
  const PrismXmlWriter writer(cells);
  EXPECT_EQ(writer.RepeatOf(2), 12);
  EXPECT_EQ(writer.RepeatOf(3), 0);
  EXPECT_EQ(writer.RepeatOf(4), 0);
  EXPECT_EQ(writer.RepeatOf(5), 3);
  EXPECT_EQ(writer.RepeatOf(6), 0);
}

TEST(PrismXmlWriterTest, MarkupInLabelsAndValuesIsEscaped) {
  TableViewMatrix m(nullptr);
  SetDose(m, 4, "1<2");
  SetRun(m, 2, "A&B \"quoted\"", {"<5>"});
  const MatrixCells cells(m, {});
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
