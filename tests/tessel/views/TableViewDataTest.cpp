#include "tessel/views/TableViewData.h"

#include <gtest/gtest.h>

#include "support/TestData.h"
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
  for (const Testing::DataRow& c : Testing::DataTable("views/context-items.txt")) {
    SCOPED_TRACE(c.where);
    const auto row = static_cast<std::uint32_t>(c.Int(0));
    const auto column = static_cast<std::uint32_t>(c.Int(1));
    std::vector<std::string> items;
    std::istringstream list(c[3]);
    for (std::string item; std::getline(list, item, ';');) {
      items.push_back(item);
    }
    std::uint32_t count = 99;
    EXPECT_EQ(data.GetItemCount(row, column, &count), c.Flag(2) ? kOk : kFail);
    ASSERT_EQ(count, items.size());
    for (std::uint32_t i = 0; i < count; ++i) {
      std::string text;
      EXPECT_EQ(data.GetItemText(row, column, i, &text), kOk);
      EXPECT_EQ(text, items[i]);
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
