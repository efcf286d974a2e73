#pragma once

#include <QAbstractTableModel>
#include <cstdint>

#include "tessel/support/ITableDataManager.h"
#include "tessel/support/ITableUserActionHandler.h"

namespace TVF_Grid {

// The grid adapter as a Qt table model. The grid's row 0 (column letters) is the horizontal
// header and its column 0 (dose-row numbers) the vertical header, so that both stay in place
// natively; model row i is grid row i + 1 and model column j grid column j + 1.
class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  GridModel(Tessel::ITableDataManager& data, Tessel::ITableUserActionHandler& owner,
            QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The table changed: a changed shape resets the model, otherwise every cell is announced as
  // changed in the roles the grid draws.
  void Refresh();
  // Everything the grid shows is read again, as when another table is shown.
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  // The summary line under a column ("Count", the numbers of doses and responses).
  QString Summary(int column) const;

  static std::uint32_t GridRow(int modelRow) { return static_cast<std::uint32_t>(modelRow) + 1; }
  static std::uint32_t GridColumn(int modelColumn) {
    return static_cast<std::uint32_t>(modelColumn) + 1;
  }
  std::int32_t Info(std::uint32_t row, std::uint32_t column) const;

 private:
  QString Text(std::uint32_t row, std::uint32_t column) const;

  Tessel::ITableDataManager& data_;
  Tessel::ITableUserActionHandler& owner_;
  int rows_ = 0;
  int columns_ = 0;
  // Set while an edit is being committed: a message box raised by the commit takes the focus
  // from the editor, which would otherwise commit the same text a second time.
  bool committing_ = false;
};

}  // namespace TVF_Grid
