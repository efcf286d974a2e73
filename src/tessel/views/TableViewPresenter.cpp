#include "tessel/views/TableViewPresenter.h"
#include "tessel/host/HostQueries.h"

#include <algorithm>

#include "tessel/document/Document.h"
#include "tessel/host/IChannelInfo.h"
#include "tessel/measure/DoseMarker.h"
#include "tessel/views/TableEditor.h"
#include "tessel/views/TableMessages.h"

namespace Tessel {

TableViewPresenter::TableViewPresenter(Document& doc)
    : doc_(doc), data_(MakeRef<TableViewData>(doc)) {
  doc_.AttachView(this);
  // A document saved with a current cell opens with that cell selected.
  const DocumentSettings& s = doc_.Settings();
  if (s.currentRow >= 0 && s.currentColumn >= 0) {
    const auto row = static_cast<std::uint32_t>(s.currentRow);
    const auto column = static_cast<std::uint32_t>(s.currentColumn);
    if (doc_.Matrix().Contains(row, column)) {
      SelectCell(row, column);
    }
  }
}

TableViewPresenter::~TableViewPresenter() {
  doc_.DetachView(this);
}

TableLayout LayOutTableView(int width, int height) {
  TableLayout layout;
  // The grid leaves 39 pixels at the bottom for the row of buttons, 23 high at 31 from the end.
  layout.grid = {0, 0, width, std::max(height - 39, 0)};
  if (width <= 0 || height <= 0) {
    return layout;
  }
  layout.buttonsPlaced = true;
  for (size_t i = 0; i < kTableButtons.size(); ++i) {
    layout.buttons[i] = {kTableButtons[i].x, height - 31, kTableButtons[i].width, 23};
  }
  return layout;
}

bool TableViewPresenter::Editable(std::uint32_t row, std::uint32_t column) const {
  if (!doc_.Matrix().Contains(row, column) || column == kRowNumberColumn) {
    return false;
  }
  if (row >= kFirstDoseRow) {
    return true;
  }
  return column >= kFirstRunColumn && (row == kRowLabel || row == kRowChannel);
}

GridCellLook TableViewPresenter::Look(std::uint32_t row, std::uint32_t column) const {
  if (!doc_.Matrix().Contains(row, column)) {
    return GridCellLook::kPlain;
  }
  const TableViewElem& cell = doc_.Matrix().Cell(row, column);
  if ((cell.flags & kCellPrompt) != 0) {
    return GridCellLook::kPrompt;
  }
  if ((cell.flags & (kCellHeader | kCellRowNumber)) != 0) {
    return GridCellLook::kHeader;
  }
  if (column < kFirstRunColumn || row < kFirstDoseRow) {
    return GridCellLook::kPlain;
  }
  if (cell.responseAdded) {
    return GridCellLook::kMeasured;
  }
  return cell.text == kMarkedText ? GridCellLook::kMarked : GridCellLook::kPlain;
}

std::uint32_t TableViewPresenter::GridOptions() const {
  return doc_.Settings().f1 ? kGridOptionsDisplay : kGridOptions;
}

void TableViewPresenter::Changed() {
  if (changed_) {
    changed_();
  }
}

void TableViewPresenter::Invalidate() {
  Changed();
}

void TableViewPresenter::SelectionChanged() {
  UpdateButtons();
  Changed();
}

void TableViewPresenter::Refresh() {
  if (current_) {
    if (doc_.Matrix().Contains(current_->row, current_->column)) {
      channel_ = RunChannel(doc_.Matrix(), current_->column);
    } else {
      current_.reset();
      channel_ = kNoChannel;
    }
  }
  UpdateButtons();
  Changed();
}

void TableViewPresenter::SelectCell(std::uint32_t row, std::uint32_t column) {
  current_ = CellIndex{row, column};
  ranges_.clear();
  doc_.SettingsObject().SetCurrentCell(static_cast<std::int32_t>(row),
                                       static_cast<std::int32_t>(column));
  channel_ = RunChannel(doc_.Matrix(), column);
  UpdateButtons();
  doc_.RefreshView(ViewKind::kAnalysis);
  Changed();
}

void TableViewPresenter::SelectRanges(const std::vector<CellRange>& ranges) {
  ranges_ = ranges;
  current_.reset();
  UpdateButtons();
  Changed();
}

void TableViewPresenter::ClearSelection() {
  ranges_.clear();
  current_.reset();
  UpdateButtons();
  Changed();
}

bool TableViewPresenter::ChannelHasData(std::int32_t channel,
                                        const ChartSelection& selection) const {
  IChartDocument* parent = doc_.Parent();
  Ref<IChannelInfo> info = QueryInterface<IChannelInfo>(parent);
  std::int32_t channels = 0;
  if (channel < 0 || !info || info->GetChannelCount(&channels) != kOk || channel >= channels) {
    return false;
  }
  Ref<IChartDataSource> src = DataSourceOf(parent);
  std::uint32_t ticks = 0;
  return src &&
         src->GetBlockLength(static_cast<std::int32_t>(selection.start.Block()), &ticks) == kOk &&
         selection.start.Tick() < ticks;
}

bool TableViewPresenter::ValidTarget(ChartSelection* selection) const {
  const TableViewMatrix& m = doc_.Matrix();
  if (doc_.Parent() == nullptr || doc_.Parent()->GetSelection(selection) != kOk || !current_) {
    return false;
  }
  const CellIndex at = *current_;
  return m.Contains(at.row, at.column) && at.row >= kFirstDoseRow && at.column >= kFirstRunColumn &&
         (m.Cell(at.row, kDoseColumn).flags & kCellPrompt) == 0 && channel_ != kNoChannel;
}

void TableViewPresenter::UpdateButtons() {
  ChartSelection selection;
  const bool hasSelection =
      doc_.Parent() != nullptr && doc_.Parent()->GetSelection(&selection) == kOk;
  tip_ = hasSelection && selection.start.Block() != selection.end.Block() ? kTipMultipleBlocks : "";
  // Option 1: sampling started in a fresh block, where there is no position to mark yet.
  const bool usable = !doc_.SettingsObject().Option(kOptionMonitorOnly) && ValidTarget(&selection);
  markEnabled_ = usable && !doc_.Matrix().Cell(current_->row, current_->column).doseMarked;
  addEnabled_ = usable && selection.start.Block() == selection.end.Block();
  if (markEnabled_ || addEnabled_) {
    const std::int32_t channel = channel_ == kAllChannels ? selection.channel : channel_;
    if (!ChannelHasData(channel, selection)) {
      markEnabled_ = addEnabled_ = false;
    }
  }
  const TableViewMatrix& m = doc_.Matrix();
  recalculateEnabled_ = false;
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount() && !recalculateEnabled_; ++c) {
    for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
      if (m.Cell(r, c).responseAdded) {
        recalculateEnabled_ = true;
        break;
      }
    }
  }
}

bool TableViewPresenter::Enabled(TableButton button) const {
  switch (button) {
    case TableButton::kSettings:
      return true;
    case TableButton::kMarkDose:
      return markEnabled_;
    case TableButton::kAddResponse:
      return addEnabled_;
    case TableButton::kDelete:
      return current_.has_value() || !ranges_.empty();
    case TableButton::kRecalculate:
      return recalculateEnabled_;
    case TableButton::kAddToDataPad:
    case TableButton::kExport:
      return true;
  }
  return false;
}

bool TableViewPresenter::Visible(TableButton button) const {
  return std::none_of(kTableButtons.begin(), kTableButtons.end(),
                      [button](const TableButtonInfo& b) { return b.id == button && b.hidden; });
}

bool TableViewPresenter::RefuseCommand(bool enabled) {
  if (enabled) {
    return false;
  }
  // A key held down repeats the request; one message is enough.
  if (!messageOpen_) {
    messageOpen_ = true;
    doc_.ShowMessage(kMsgInvalidTarget, MessageIcon::kError, MessageButtons::kOkOnly);
    messageOpen_ = false;
  }
  return true;
}

Status TableViewPresenter::MarkDose() {
  UpdateButtons();
  if (RefuseCommand(markEnabled_)) {
    return kFalse;
  }
  if (!doc_.MarkDoseAt(current_->row, current_->column, false)) {
    return kFalse;
  }
  Advance();
  return kOk;
}

Status TableViewPresenter::AddResponse() {
  UpdateButtons();
  if (RefuseCommand(addEnabled_)) {
    return kFalse;
  }
  if (!doc_.AddResponseAt(current_->row, current_->column)) {
    return kFalse;
  }
  Advance();
  return kOk;
}

void TableViewPresenter::Advance() {
  if (!current_) {
    return;
  }
  MoveTo(AdvanceCell(doc_.Matrix(), *current_, doc_.Settings().advanceDown));
}

void TableViewPresenter::MoveTo(CellIndex cell) {
  SelectCell(cell.row, cell.column);
}

void TableViewPresenter::CommitEdit(std::uint32_t row, std::uint32_t column,
                                    const std::string& text) {
  TableEditor(doc_, confirm_).Commit(row, column, text);
  Refresh();
}

void TableViewPresenter::Delete() {
  if (current_) {
    TableDeletion(doc_, confirm_).DeleteCell(current_->row, current_->column);
  } else if (!ranges_.empty()) {
    // One question for the whole selection, none for the rows and columns inside it.
    confirm_ = false;
    // Kept cells stay selected, so that the user can think again.
    if (TableDeletion(doc_, confirm_).DeleteRanges(ranges_)) {
      ranges_.clear();
    }
    confirm_ = true;
  }
  Refresh();
}

void TableViewPresenter::Recalculate() {
  if (doc_.ShowMessage(kMsgRecalculate, MessageIcon::kQuestion, MessageButtons::kYesNo) ==
      MessageAnswer::kYes) {
    doc_.RecalculateAllResponses();
  }
  Refresh();
}

void TableViewPresenter::PressButton(TableButton button) {
  switch (button) {
    case TableButton::kSettings:
      if (openSettings_) {
        openSettings_();
      }
      break;
    case TableButton::kMarkDose:
      MarkDose();
      break;
    case TableButton::kAddResponse:
      AddResponse();
      break;
    case TableButton::kDelete:
      PressDeleteKey();
      break;
    case TableButton::kRecalculate:
      if (Enabled(button)) {
        Recalculate();
      }
      break;
    case TableButton::kExport:
      if (openExport_) {
        openExport_();
      }
      break;
    case TableButton::kAddToDataPad:
      break;
  }
}

void TableViewPresenter::PressDeleteKey() {
  if (Enabled(TableButton::kDelete)) {
    Delete();
  }
}

void TableViewPresenter::ChooseContextItem(std::uint32_t row, std::uint32_t column,
                                           std::uint32_t index) {
  std::string item;
  if (data_->GetItemText(row, column, index, &item) != kOk) {
    return;
  }
  TableViewMatrix& m = doc_.Matrix();
  if (item == kItemInsertColumn && column >= kFirstRunColumn) {
    m.InsertColumn(column, m.NewRunColumn(column));
    doc_.UpdateRepeatLabels();
  } else if (item == kItemInsertRow) {
    m.InsertRow(std::max(row, kFirstDoseRow));
  } else if (item == kItemDeleteColumn) {
    TableDeletion(doc_, confirm_).DeleteColumn(column);
  } else if (item == kItemDeleteRow) {
    TableDeletion(doc_, confirm_).DeleteRow(row);
  }
  doc_.SetModified();
  doc_.UpdateAllViews();
}

}  // namespace Tessel
