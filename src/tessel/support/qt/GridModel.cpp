#include "tessel/support/qt/GridModel.h"

#include <QBrush>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace TVF_Grid {
namespace {

// The grid's cell bits it draws by.
constexpr std::int32_t kCellList = 0x08;
constexpr std::int32_t kCellHeader = 0x10;
// The stored text, as opposed to the summary line.
constexpr std::int32_t kStoredText = 8;
constexpr std::int32_t kSummaryText = 0;

}  // namespace

GridModel::GridModel(Tessel::ITableDataManager& data, Tessel::ITableUserActionHandler& owner,
                     QObject* parent)
    : QAbstractTableModel(parent), data_(data), owner_(owner) {
  Refresh();
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QString GridModel::Text(std::uint32_t row, std::uint32_t column) const {
  return QString::fromStdString(data_.GetCellText(kStoredText, row, column));
}

std::int32_t GridModel::Info(std::uint32_t row, std::uint32_t column) const {
  return data_.GetCellInfo(kStoredText, row, column);
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) {
    return {};
  }
  const std::uint32_t row = GridRow(index.row());
  const std::uint32_t column = GridColumn(index.column());
  const std::int32_t info = Info(row, column);
  switch (role) {
    case Qt::DisplayRole:
      if ((info & kCellList) != 0) {
        return QString::fromStdString(owner_.ListText(Text(row, column).toInt()));
      }
      return Text(row, column);
    case Qt::EditRole:
      return (info & kCellList) != 0 ? QVariant(Text(row, column).toInt())
                                     : QVariant(Text(row, column));
    case Qt::FontRole:
      if (owner_.Look(row, column) == Tessel::GridCellLook::kPrompt) {
        QFont italic;
        italic.setItalic(true);
        return italic;
      }
      return {};
    case Qt::ForegroundRole:
      if (owner_.Look(row, column) == Tessel::GridCellLook::kPrompt) {
        return QBrush(QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text));
      }
      return {};
    case Qt::BackgroundRole:
      // A marked dose waits for its response (amber); a measured response is settled (green).
      switch (owner_.Look(row, column)) {
        case Tessel::GridCellLook::kHeader:
          return QBrush(QGuiApplication::palette().color(QPalette::AlternateBase));
        case Tessel::GridCellLook::kMarked:
          return QBrush(QColor(255, 236, 179));
        case Tessel::GridCellLook::kMeasured:
          return QBrush(QColor(220, 240, 220));
        default:
          return {};
      }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter |
                                 ((info & kCellHeader) != 0 ? Qt::AlignHCenter : Qt::AlignRight));
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return orientation == Qt::Horizontal ? Text(0, GridColumn(section)) : Text(GridRow(section), 0);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) {
    return Qt::NoItemFlags;
  }
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (owner_.CanEdit(GridRow(index.row()), GridColumn(index.column()))) {
    f |= Qt::ItemIsEditable;
  }
  return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (committing_ || role != Qt::EditRole || !index.isValid() ||
      !(flags(index) & Qt::ItemIsEditable)) {
    return false;
  }
  committing_ = true;
  owner_.OnCellCommitted(GridRow(index.row()), GridColumn(index.column()),
                         value.toString().toStdString());
  committing_ = false;
  // The owner's document tells the grid what changed through Refresh.
  return true;
}

QString GridModel::Summary(int column) const {
  return QString::fromStdString(data_.GetCellText(kSummaryText, 1, GridColumn(column)));
}

void GridModel::Refresh() {
  std::uint32_t rows = 0;
  std::uint32_t columns = 0;
  if (data_.GetRowCount(&rows) != Tessel::kOk) {
    rows = 0;
  }
  if (data_.GetColumnCount(&columns) != Tessel::kOk) {
    columns = 0;
  }
  const int newRows = rows > 0 ? static_cast<int>(rows) - 1 : 0;
  const int newColumns = columns > 0 ? static_cast<int>(columns) - 1 : 0;
  if (newRows != rows_ || newColumns != columns_) {
    beginResetModel();
    rows_ = newRows;
    columns_ = newColumns;
    endResetModel();
    return;
  }
  if (rows_ > 0 && columns_ > 0) {
    emit dataChanged(
        index(0, 0), index(rows_ - 1, columns_ - 1),
        {Qt::DisplayRole, Qt::EditRole, Qt::FontRole, Qt::ForegroundRole, Qt::BackgroundRole});
  }
  if (columns_ > 0) {
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
  }
  if (rows_ > 0) {
    emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
  }
}

}  // namespace TVF_Grid
