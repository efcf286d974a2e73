#pragma once

#include <QPushButton>
#include <array>
#include <memory>

#include "tessel/document/Document.h"
#include "tessel/support/ITableUserActionHandler.h"
#include "tessel/support/qt/Grid.h"
#include "tessel/views/TableViewPresenter.h"
#include "tessel/views/qt/TesselViewBase.h"

class QPrinter;

namespace Tessel {

// The Table View's window: the grid over the document's table and the row of buttons under it.
// It shows what its presenter decides and forwards every user action to it.
class TesselTableView : public TesselViewBase, public ITableUserActionHandler {
 public:
  explicit TesselTableView(Document& doc);
  ~TesselTableView() override;

  TableViewPresenter& Presenter() { return *presenter_; }
  TVF_Grid::Grid* Grid() const { return grid_; }
  QPushButton* Button(TableButton id) const;

  // Copy Table View: the grid's selection as text on the clipboard.
  Status Copy() override;
  // Print Table View: a print preview of the whole table.
  Status Print() override;
  // Draws the whole table on a printer (a PDF file in tests).
  void PrintTo(QPrinter& printer);
  // The selection's text as Copy puts it on the clipboard.
  std::string SelectionText();

  // ITableUserActionHandler
  void OnSelectionChanged(const std::vector<GridRange>& ranges) override;
  void OnCellCommitted(std::uint32_t row, std::uint32_t column, const std::string& text) override;
  void OnDeleteKey() override { presenter_->PressDeleteKey(); }
  void OnContextItem(std::uint32_t row, std::uint32_t column, std::uint32_t index) override;
  bool CanEdit(std::uint32_t row, std::uint32_t column) override {
    return presenter_->Editable(row, column);
  }
  std::vector<std::string> ListChoices(std::uint32_t, std::uint32_t) override {
    return presenter_->Data().ChannelTitles();
  }
  std::string ListText(std::int32_t value) override {
    return presenter_->Data().ChannelText(value);
  }
  GridCellLook Look(std::uint32_t row, std::uint32_t column) override {
    return presenter_->Look(row, column);
  }

 protected:
  QWidget* CreateContent(QWidget* parent) override;

 private:
  // Shows what the presenter says now: the table, the buttons and the balloon.
  void Show();
  void LayOut(QWidget& content);

  Ref<Document> doc_;
  std::unique_ptr<TableViewPresenter> presenter_;
  TVF_Grid::Grid* grid_ = nullptr;
  std::array<QPushButton*, kTableButtons.size()> buttons_{};
  std::string shownTip_;
  bool showing_ = false;
};

}  // namespace Tessel
