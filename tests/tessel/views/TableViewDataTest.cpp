#include "tessel/views/TableViewData.h"

#include <gtest/gtest.h>

#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;

TEST(TableViewDataTest, StoredTextAndFlagsComeFromTheMatrix) {
  TableSession s;
  TableViewData& data = s.Table().Data();
  EXPECT_EQ(data.GetCellText(kGridStoredText, kRowLabel, 2), "<Run B Label>");
  EXPECT_EQ(data.GetCellText(kGridStoredText, 4, 1), "<Enter Dose>");
  EXPECT_EQ(data.GetCellText(kGridStoredText, 40, 40), "BADF00D");
  EXPECT_EQ(data.GetCellInfo(0, 4, 1), 0x83);
  EXPECT_EQ(data.GetCellInfo(kGridStoredText, kRowChannel, 2), 0x9a);
  EXPECT_EQ(data.Name(), "Tessel");
  EXPECT_EQ(data.Title(), "Tessel Table View");
  std::uint32_t columns = 0;
  EXPECT_EQ(data.GetColumnCount(&columns), kOk);
  EXPECT_EQ(columns, 3u);
  // It follows the document's current matrix, also after a reset replaces it.
  s.Doc().Matrix().Clear();
  EXPECT_EQ(data.GetColumnCount(&columns), kFalse);
  EXPECT_EQ(columns, 0u);
  s.Doc().Reset();
  EXPECT_EQ(data.GetCellText(kGridStoredText, 0, 2), "B");
}

TEST(TableViewDataTest, SummaryLineCountsDosesAndResponses) {
  TableSession s;
  s.TypeDoses({"1", "2", "3"});
  s.SetRunChannels({0, 1});
  s.Table().SelectCell(4, 2);
  s.Select(0, 10, 20);
  s.PressF3();
  s.PressF3();
  TableViewData& data = s.Table().Data();
  constexpr std::int32_t kSummary = 0;
  EXPECT_EQ(data.GetCellText(kSummary, 1, 0), "Count");
  EXPECT_EQ(data.GetCellText(kSummary, 2, 0), "");
  EXPECT_EQ(data.GetCellText(kSummary, 1, 1),
            "3");  // the trailing "<Enter Dose>" row is not a dose
  EXPECT_EQ(data.GetCellText(kSummary, 1, 2), "2");
  EXPECT_EQ(data.GetCellText(kSummary, 1, 3), "0");
  EXPECT_EQ(data.GetCellText(kSummary, 0, 3), "C");
}

TEST(TableViewDataTest, HeaderCellsOfferTheirContextItems) {
  TableSession s;
  s.TypeDoses({"1", "2"});   // rows 4 and 5, with the "<Enter Dose>" row 6 last
  s.SetRunChannels({0, 1});  // runs B and C, C last
  TableViewData& data = s.Table().Data();
  struct Case {
    std::uint32_t row, column;
    Status status;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {0, 0, kOk, {}},
      {0, 1, kOk, {}},
      {3, 0, kOk, {}},
      {6, 0, kOk, {"Insert Row"}},
      {0, 3, kOk, {"Insert Column"}},
      {0, 2, kOk, {"Insert Column", "Delete Column"}},
      {4, 0, kOk, {"Insert Row", "Delete Row"}},
      {4, 2, kFail, {}},
      {1, 2, kFail, {}},
  };
  for (const Case& c : cases) {
    std::uint32_t count = 99;
    EXPECT_EQ(data.GetItemCount(c.row, c.column, &count), c.status) << c.row << "," << c.column;
    ASSERT_EQ(count, c.items.size()) << c.row << "," << c.column;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::string text;
      EXPECT_EQ(data.GetItemText(c.row, c.column, i, &text), kOk);
      EXPECT_EQ(text, c.items[i]);
    }
  }
}

TEST(TableViewDataTest, ChannelCellsShowTheHostsChannelTitles) {
  TableSession s;
  TableViewData& data = s.Table().Data();
  EXPECT_EQ(data.ChannelTitles(), (std::vector<std::string>{"Pressure", "Flow"}));
  EXPECT_EQ(data.ChannelText(1), "Flow");
  EXPECT_EQ(data.ChannelText(-1), "<Select Channel>");
  EXPECT_EQ(data.ChannelText(2), "<Select Channel>");
  EXPECT_EQ(data.ChannelText(-2), "All");
}

}  // namespace
}  // namespace Tessel
