#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tessel/document/IDocumentView.h"
#include "tessel/host/IChartDocument.h"
#include "tessel/host/Ref.h"
#include "tessel/measure/CellAdvance.h"
#include "tessel/support/ITableUserActionHandler.h"
#include "tessel/views/TableDeletion.h"
#include "tessel/views/TableViewData.h"

namespace Tessel {

class Document;

// The push buttons under the grid, in creation order.
enum class TableButton : std::int32_t {
  kSettings = 1000,
  kMarkDose = 1001,
  kAddResponse = 1002,
  kDelete = 1003,
  kRecalculate = 1004,
  kAddToDataPad = 1005,
  kExport = 1006,
};

struct TableButtonInfo {
  TableButton id;
  const char* text;
  int x;
  int width;
  bool hidden;
};

inline constexpr std::array<TableButtonInfo, 7> kTableButtons = {{
    {TableButton::kSettings, "Settings...", 8, 75, false},
    {TableButton::kMarkDose, "Mark Dose", 89, 90, false},
    {TableButton::kAddResponse, "Add Response", 185, 112, false},
    {TableButton::kDelete, "Delete", 303, 75, false},
    {TableButton::kRecalculate, "Recalculate", 384, 75, false},
    // Created and laid out, but never shown.
    {TableButton::kAddToDataPad, "Add to Data Pad", 384, 112, true},
    {TableButton::kExport, "Export...", 384, 75, true},
}};

// Where the Table View's grid and buttons go in a client area; the buttons are left where they
// were when the area has no size.
struct TableLayout {
  struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
  };
  Rect grid;
  bool buttonsPlaced = false;
  std::array<Rect, kTableButtons.size()> buttons{};  // in the order of kTableButtons
};
TableLayout LayOutTableView(int width, int height);

// The grid's options word: fixed headers and the summary line, and the display option's bit.
inline constexpr std::uint32_t kGridOptions = 0x101;
inline constexpr std::uint32_t kGridOptionsDisplay = 0x103;

// Everything the Table View decides, without its window: the current cell and selection, the
// current channel, the states of its buttons, and what happens on a selection, an edit, a delete,
// a button or a context item. The widget shows the grid over Data() and forwards user events here.
class TableViewPresenter : public IDocumentView {
 public:
  // Attaches itself to the document as its Table View; detaches when destroyed.
  explicit TableViewPresenter(Document& doc);
  ~TableViewPresenter() override;
  TableViewPresenter(const TableViewPresenter&) = delete;
  TableViewPresenter& operator=(const TableViewPresenter&) = delete;

  // IDocumentView
  ViewKind Kind() const override { return ViewKind::kTable; }
  void Invalidate() override;
  void Refresh() override;
  // The document's Mark Dose and Add Response entry points (buttons and shortcut keys).
  Status MarkDose() override;
  Status AddResponse() override;
  void SelectionChanged() override;

  // --- What the user does in the grid.
  void SelectCell(std::uint32_t row, std::uint32_t column);
  void SelectRanges(const std::vector<CellRange>& ranges);
  void ClearSelection();
  void CommitEdit(std::uint32_t row, std::uint32_t column, const std::string& text);
  void PressButton(TableButton button);
  void PressDeleteKey();
  // A context item of a header cell, by its index in the adapter's list.
  void ChooseContextItem(std::uint32_t row, std::uint32_t column, std::uint32_t index);

  // --- What the widget shows.
  TableViewData& Data() { return *data_; }
  std::optional<CellIndex> CurrentCell() const { return current_; }
  bool RangeSelected() const { return !ranges_.empty(); }
  const std::vector<CellRange>& Ranges() const { return ranges_; }
  std::int32_t CurrentChannel() const { return channel_; }
  bool Confirming() const { return confirm_; }
  bool Enabled(TableButton button) const;
  // Which cells the user may type into: run labels and channels, doses, responses.
  bool Editable(std::uint32_t row, std::uint32_t column) const;
  std::uint32_t GridOptions() const;
  // Headers, prompts, a dose marked but not measured, a measured response: each looks its own.
  GridCellLook Look(std::uint32_t row, std::uint32_t column) const;
  bool Visible(TableButton button) const;
  // The balloon tip to show under the buttons; empty for none.
  const std::string& Tip() const { return tip_; }

  // Called after every change the widget must redraw; the Settings and Export buttons' dialogs.
  void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }
  void SetSettingsHandler(std::function<void()> handler) { openSettings_ = std::move(handler); }
  void SetExportHandler(std::function<void()> handler) { openExport_ = std::move(handler); }

 private:
  // A run cell with a dose and a channel, with a Chart View position for it.
  bool ValidTarget(ChartSelection* selection) const;
  bool ChannelHasData(std::int32_t channel, const ChartSelection& selection) const;
  void UpdateButtons();
  void Advance();
  void MoveTo(CellIndex cell);
  void Delete();
  void Recalculate();
  bool RefuseCommand(bool enabled);
  void Changed();

  Document& doc_;
  Ref<TableViewData> data_;
  std::optional<CellIndex> current_;
  std::vector<CellRange> ranges_;
  std::int32_t channel_ = kNoChannel;
  bool confirm_ = true;
  bool markEnabled_ = false;
  bool addEnabled_ = false;
  bool recalculateEnabled_ = false;
  bool messageOpen_ = false;
  std::string tip_;
  std::function<void()> changed_;
  std::function<void()> openSettings_;
  std::function<void()> openExport_;
};

}  // namespace Tessel
