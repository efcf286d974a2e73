#include "strata/recording/DataPadText.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFiles.h"

namespace Strata {
namespace {

struct TextCase {
  const char* name;
  DataPadRows rows;
  std::string tabs;
  std::string csv;
};

// What a spreadsheet must read back cell for cell: separators and quotes inside a cell are
// quoted in CSV, and cannot break the columns of the tab text.
const TextCase kTextCases[] = {
    {"Empty", {}, "", ""},
    {"PlainCells", {{"Run", "EC50"}, {"B", "0.1"}}, "Run\tEC50\nB\t0.1\n", "Run,EC50\r\nB,0.1\r\n"},
    {"Comma", {{"1,5", "x"}}, "1,5\tx\n", "\"1,5\",x\r\n"},
    {"Quote", {{"ACh \"fresh\""}}, "ACh \"fresh\"\n", "\"ACh \"\"fresh\"\"\"\r\n"},
    {"LineBreak", {{"a\nb", "c\r\nd"}}, "a b\tc  d\n", "\"a\nb\",\"c\r\nd\"\r\n"},
    {"TabInCell", {{"a\tb"}}, "a b\n", "a\tb\r\n"},
    {"RaggedRowsAndEmptyCells", {{"a", "", "c"}, {""}}, "a\t\tc\n\n", "a,,c\r\n\r\n"},
};

TEST(DataPadTextTest, TabTextAndCsv) {
  for (const TextCase& c : kTextCases) {
    EXPECT_EQ(DataPadTabText(c.rows), c.tabs) << c.name;
    EXPECT_EQ(DataPadCsv(c.rows), c.csv) << c.name;
  }
}

TEST(DataPadTextTest, ColumnNames) {
  const std::pair<size_t, const char*> cases[] = {{0, "A"},   {25, "Z"},   {26, "AA"},  {51, "AZ"},
                                                  {52, "BA"}, {701, "ZZ"}, {702, "AAA"}};
  for (const auto& [column, name] : cases) {
    EXPECT_EQ(DataPadColumnName(column), name);
  }
}

const DataPadRows kRows = {{"Run", "EC50"}, {"Control", "0.1"}};

// A failed save is one message naming the file and why, and writes nothing anywhere; a save
// replaces the file whole and leaves no temporary file.
TEST(DataPadSaveTest, FailuresNameTheFileAndTheReasonAndASaveReplacesTheFileWhole) {
  Testing::TempDir dir;
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {dir / "missing/pad.csv", "no such file or directory"},
      {dir.path().string(), "is a directory"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SaveDataPadCsv(kRows, c.path), "Cannot save \"" + c.path + "\": " + c.reason + ".");
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  const std::string path = dir / "pad.csv";
  Testing::WriteFile(path, "old");
  ASSERT_EQ(SaveDataPadCsv(kRows, path), "");
  EXPECT_EQ(Testing::ReadFile(path), DataPadCsv(kRows));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace Strata
