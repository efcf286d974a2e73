#include "tessel/views/TableViewData.h"
#include "tessel/host/HostQueries.h"

#include "tessel/document/Document.h"
#include "tessel/host/IChannelInfo.h"

namespace Tessel {

std::string TableViewData::GetCellText(std::int32_t mode, std::uint32_t row, std::uint32_t column) {
  if (mode == kGridStoredText) {
    return doc_.Matrix().Cell(row, column).text;
  }
  return SummaryText(row, column);
}

std::string TableViewData::SummaryText(std::uint32_t row, std::uint32_t column) const {
  const TableViewMatrix& m = doc_.Matrix();
  if (column == kRowNumberColumn) {
    return row == 1 ? "Count" : "";
  }
  if (row == 0) {
    return m.Cell(row, column).text;
  }
  std::uint32_t count = 0;
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    const TableViewElem& cell = m.Cell(r, column);
    const bool counts =
        column == kDoseColumn ? (cell.flags & kCellPrompt) == 0 : cell.responseAdded;
    count += counts ? 1 : 0;
  }
  return std::to_string(count);
}

std::int32_t TableViewData::GetCellInfo(std::int32_t /*mode*/, std::uint32_t row,
                                        std::uint32_t column) {
  return doc_.Matrix().Cell(row, column).flags;
}

std::uint32_t TableViewData::RowCount() const {
  return doc_.Matrix().RowCount();
}

Status TableViewData::GetColumnCount(std::uint32_t* count) {
  if (count == nullptr) {
    return kFail;
  }
  *count = doc_.Matrix().ColumnCount();
  return *count == 0 ? kFalse : kOk;
}

std::vector<std::string> TableViewData::Items(std::uint32_t row, std::uint32_t column,
                                              bool* offered) const {
  const TableViewMatrix& m = doc_.Matrix();
  *offered = true;
  if ((row == 0 && column <= kDoseColumn) || (column == 0 && row < kFirstDoseRow)) {
    return {};
  }
  if (column == 0 && row + 1 == m.RowCount()) {
    return {kItemInsertRow};
  }
  if (row == 0 && column + 1 == m.ColumnCount()) {
    return {kItemInsertColumn};
  }
  if (row == 0 && column < m.ColumnCount()) {
    return {kItemInsertColumn, kItemDeleteColumn};
  }
  if (column == 0 && row < m.RowCount()) {
    return {kItemInsertRow, kItemDeleteRow};
  }
  *offered = false;
  return {};
}

Status TableViewData::GetItemCount(std::uint32_t row, std::uint32_t column, std::uint32_t* count) {
  if (count == nullptr) {
    return kFail;
  }
  bool offered = false;
  *count = static_cast<std::uint32_t>(Items(row, column, &offered).size());
  return offered ? kOk : kFail;
}

Status TableViewData::GetItemText(std::uint32_t row, std::uint32_t column, std::uint32_t index,
                                  std::string* text) {
  bool offered = false;
  const std::vector<std::string> items = Items(row, column, &offered);
  if (text == nullptr || index >= items.size()) {
    return kFail;
  }
  *text = items[index];
  return kOk;
}

std::vector<std::string> TableViewData::ChannelTitles() const {
  return ChannelTitlesOf(doc_.Parent());
}

std::string TableViewData::ChannelText(std::int32_t channel) const {
  if (channel == kAllChannels) {
    return kAllChannelsText;
  }
  const std::vector<std::string> titles = ChannelTitles();
  if (channel < 0 || static_cast<size_t>(channel) >= titles.size()) {
    return kSelectChannelText;
  }
  return titles[static_cast<size_t>(channel)];
}

}  // namespace Tessel
