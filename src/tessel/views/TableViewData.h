#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/host/RefCounted.h"
#include "tessel/support/ITableDataManager.h"

namespace Tessel {

class Document;
class TableViewMatrix;

inline constexpr const char* kItemInsertRow = "Insert Row";
inline constexpr const char* kItemDeleteRow = "Delete Row";
inline constexpr const char* kItemInsertColumn = "Insert Column";
inline constexpr const char* kItemDeleteColumn = "Delete Column";
inline constexpr const char* kSelectChannelText = "<Select Channel>";
inline constexpr const char* kAllChannelsText = "All";

// The grid's view of a Document's matrix: cell texts and flags, the summary line, and the
// header cells' context items. Always reads the Document's current matrix, which a reset or a
// load replaces.
class TableViewData : public RefCounted<ITableDataManager, IListGenerator> {
 public:
  explicit TableViewData(Document& doc) : doc_(doc) {}

  // ITableDataManager
  std::string GetCellText(std::int32_t mode, std::uint32_t row, std::uint32_t column) override;
  std::int32_t GetCellInfo(std::int32_t mode, std::uint32_t row, std::uint32_t column) override;
  Status GetColumnCount(std::uint32_t* count) override;
  std::string Name() override { return "Tessel"; }
  std::string Title() override { return "Tessel Table View"; }
  Status GetRowCount(std::uint32_t* count) override {
    *count = RowCount();
    return kOk;
  }

  // IListGenerator
  Status GetItemCount(std::uint32_t row, std::uint32_t column, std::uint32_t* count) override;
  Status GetItemText(std::uint32_t row, std::uint32_t column, std::uint32_t index,
                     std::string* text) override;

  // The grid's stored rows: every row of the matrix.
  std::uint32_t RowCount() const;

  // The channel list a channel cell offers, by index: the recording's channel titles.
  std::vector<std::string> ChannelTitles() const;
  // What a channel index looks like in the grid: "<Select Channel>", "All" or the title.
  std::string ChannelText(std::int32_t channel) const;

 private:
  std::vector<std::string> Items(std::uint32_t row, std::uint32_t column, bool* offered) const;
  std::string SummaryText(std::uint32_t row, std::uint32_t column) const;

  Document& doc_;
};

}  // namespace Tessel
