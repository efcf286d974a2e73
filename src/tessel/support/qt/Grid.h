#pragma once

#include <QTableView>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "tessel/support/ITableDataManager.h"
#include "tessel/support/ITableUserActionHandler.h"
#include "tessel/support/qt/GridModel.h"

namespace TVF_Grid {

// Bits of the grid's options word.
inline constexpr std::uint32_t kOptionFixedHeaders = 0x001;  // header row and column stay put
inline constexpr std::uint32_t kOptionShadeRows = 0x002;     // every other dose row shaded
inline constexpr std::uint32_t kOptionSummaryLine = 0x100;   // the summary line under the grid

// The spreadsheet of the Table View: a fixed header column (the row numbers) and fixed header
// rows (the column letters, and the label, repeat and channel rows, which stay in place while the
// dose rows scroll), in-place editing, a drop-down for list cells, the header cells' context
// items, and the summary line. Everything the user does goes to the owner; the grid decides
// nothing about the table.
class Grid : public QWidget {
  Q_OBJECT

 public:
  // The grid's header rows under the column letters that do not scroll.
  static constexpr int kFrozenRows = 3;

  Grid(Tessel::ITableDataManager& source, Tessel::IListGenerator& items,
       Tessel::ITableUserActionHandler& owner, QWidget* parent = nullptr);

  void SetOptions(std::uint32_t options);
  std::uint32_t Options() const { return options_; }
  // The adapter's table changed.
  void Refresh();
  // The selection in grid coordinates, and selecting a cell as a click would.
  std::vector<Tessel::GridRange> Selection() const;
  void SelectCell(std::uint32_t row, std::uint32_t column);

  GridModel& Model() { return *model_; }
  QTableView& Body() { return *body_; }
  QTableView& Frozen() { return *frozen_; }
  QTableView& SummaryLine() { return *summary_; }
  // The rectangle of a cell in the grid's own coordinates, where a user would click it.
  QRect CellRect(std::uint32_t row, std::uint32_t column) const;
  // Offers the context items of a header cell at a point of the grid, as a right click does.
  void ShowContextItems(std::uint32_t row, std::uint32_t column, QPoint at);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void PlaceFrozen();
  void SelectionMoved();

  Tessel::IListGenerator& items_;
  Tessel::ITableUserActionHandler& owner_;
  GridModel* model_;
  QTableView* body_;
  QTableView* frozen_;
  QTableView* summary_;
  QAbstractItemModel* summaryModel_;
  std::uint32_t options_ = kOptionFixedHeaders | kOptionSummaryLine;
};

}  // namespace TVF_Grid
