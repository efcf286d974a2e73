#include "tessel/support/qt/Grid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace TVF_Grid {
namespace {

constexpr std::int32_t kCellList = 0x08;

// Dose rows scroll under the fixed header rows; a cell the keyboard moves to is brought out from
// under them.
class BodyView : public QTableView {
 public:
  explicit BodyView(QWidget* parent) : QTableView(parent) {}

  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
    QTableView::scrollTo(index, hint);
    if (!index.isValid() || index.row() < Grid::kFrozenRows) {
      return;
    }
    int covered = 0;
    for (int r = 0; r < Grid::kFrozenRows && r < model()->rowCount(); ++r) {
      covered += rowHeight(r);
    }
    const int top = visualRect(index).top();
    if (top < covered) {
      verticalScrollBar()->setValue(verticalScrollBar()->value() - (covered - top));
    }
  }
};

// List cells are edited with a drop-down of the owner's choices; the chosen index is stored.
class ListCellDelegate : public QStyledItemDelegate {
 public:
  ListCellDelegate(GridModel& model, Tessel::ITableUserActionHandler& owner, QObject* parent)
      : QStyledItemDelegate(parent), model_(model), owner_(owner) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (!IsList(index)) {
      return QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* box = new QComboBox(parent);
    box->setAccessibleName(QStringLiteral("Channel"));
    for (const std::string& choice : owner_.ListChoices(GridModel::GridRow(index.row()),
                                                        GridModel::GridColumn(index.column()))) {
      box->addItem(QString::fromStdString(choice));
    }
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* box = qobject_cast<QComboBox*>(editor); box && IsList(index)) {
      box->setCurrentIndex(index.data(Qt::EditRole).toInt());
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    if (auto* box = qobject_cast<QComboBox*>(editor); box && IsList(index)) {
      if (box->currentIndex() >= 0) {
        model->setData(index, QString::number(box->currentIndex()), Qt::EditRole);
      }
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 private:
  bool IsList(const QModelIndex& index) const {
    return (model_.Info(GridModel::GridRow(index.row()), GridModel::GridColumn(index.column())) &
            kCellList) != 0;
  }
  GridModel& model_;
  Tessel::ITableUserActionHandler& owner_;
};

// The summary line under the grid: one row read from the grid's model as it is drawn, so that a
// change costs one signal however many runs there are.
class SummaryModel : public QAbstractTableModel {
 public:
  SummaryModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    connect(&grid, &QAbstractItemModel::modelReset, this, [this] {
      beginResetModel();
      endResetModel();
    });
    connect(&grid, &QAbstractItemModel::dataChanged, this, [this] {
      if (columnCount() > 0) {
        emit dataChanged(index(0, 0), index(0, columnCount() - 1), {Qt::DisplayRole});
      }
      emit headerDataChanged(Qt::Vertical, 0, 0);
    });
  }
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : grid_.columnCount();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) {
      return grid_.Summary(index.column());
    }
    if (role == Qt::TextAlignmentRole) {
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    // The first column's summary is the line's title, shown where the row numbers are.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) {
      return grid_.Summary(-1);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
  }

 private:
  GridModel& grid_;
};

void SetUpView(QTableView* view, GridModel* model, QAbstractItemDelegate* delegate) {
  view->setModel(model);
  view->setItemDelegate(delegate);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  // Typing or a double click edits; F2 is the Mark Dose key and never opens an editor.
  view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->horizontalHeader()->setDefaultSectionSize(96);
  view->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  view->verticalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  view->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

}  // namespace

Grid::Grid(Tessel::ITableDataManager& source, Tessel::IListGenerator& items,
           Tessel::ITableUserActionHandler& owner, QWidget* parent)
    : QWidget(parent), items_(items), owner_(owner) {
  model_ = new GridModel(source, owner, this);
  body_ = new BodyView(this);
  body_->setAccessibleName(QStringLiteral("Table"));
  // A delegate per view: a delegate tells every view it serves to close its editor.
  SetUpView(body_, model_, new ListCellDelegate(*model_, owner, this));
  // A sibling laid over the body, not its child: a key the fixed rows' editor leaves unused must
  // not reach the body, which would open a second editor on the same current cell.
  frozen_ = new QTableView(this);
  frozen_->setAccessibleName(QStringLiteral("Table header rows"));
  SetUpView(frozen_, model_, new ListCellDelegate(*model_, owner, this));
  frozen_->setSelectionModel(body_->selectionModel());
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->setFocusPolicy(Qt::ClickFocus);

  summaryModel_ = new SummaryModel(*model_, this);
  summary_ = new QTableView(this);
  summary_->setAccessibleName(QStringLiteral("Summary line"));
  summary_->setModel(summaryModel_);
  summary_->horizontalHeader()->hide();
  summary_->horizontalHeader()->setDefaultSectionSize(96);
  summary_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  summary_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  summary_->setFocusPolicy(Qt::NoFocus);
  summary_->setSelectionMode(QAbstractItemView::NoSelection);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(body_, 1);
  layout->addWidget(summary_);

  // The fixed rows and the summary line follow the body sideways and in their column widths.
  connect(body_->horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(body_->horizontalScrollBar(), &QScrollBar::valueChanged, summary_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(body_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) {
            frozen_->setColumnWidth(column, size);
            summary_->setColumnWidth(column, size);
          });
  connect(body_->verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int) {
    if (row < kFrozenRows) {
      PlaceFrozen();
    }
  });
  connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) { body_->setColumnWidth(column, size); });
  connect(body_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &Grid::SelectionMoved);
  // The keyboard stays in the part of the grid that shows the current cell.
  connect(body_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now) {
            if (!now.isValid()) {
              return;
            }
            if (now.row() >= kFrozenRows && frozen_->hasFocus()) {
              body_->setFocus();
            } else if (now.row() < kFrozenRows && body_->hasFocus()) {
              frozen_->setFocus();
            }
          });
  body_->viewport()->installEventFilter(this);
  for (QTableView* view : {body_, frozen_}) {
    view->installEventFilter(this);
    connect(view->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this, view](QPoint p) {
              const int column = view->horizontalHeader()->logicalIndexAt(p);
              if (column >= 0) {
                ShowContextItems(0, GridModel::GridColumn(column),
                                 view->horizontalHeader()->mapToGlobal(p));
              }
            });
    connect(view->verticalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this, view](QPoint p) {
              const int row = view->verticalHeader()->logicalIndexAt(p);
              if (row >= 0) {
                ShowContextItems(GridModel::GridRow(row), 0,
                                 view->verticalHeader()->mapToGlobal(p));
              }
            });
  }
  connect(model_, &QAbstractItemModel::modelReset, this, &Grid::PlaceFrozen);
  SetOptions(options_);
  PlaceFrozen();
}

void Grid::SetOptions(std::uint32_t options) {
  options_ = options;
  body_->setAlternatingRowColors((options & kOptionShadeRows) != 0);
  summary_->setVisible((options & kOptionSummaryLine) != 0);
}

void Grid::Refresh() {
  model_->Refresh();
}

void Grid::PlaceFrozen() {
  // Only the header rows show in the fixed part, laid exactly over the body's own. A reset left
  // every column at the default width in all three views, so only the rows need setting.
  for (int r = 0; r < model_->rowCount(); ++r) {
    frozen_->setRowHidden(r, r >= kFrozenRows);
    if (r < kFrozenRows) {
      frozen_->setRowHeight(r, body_->rowHeight(r));
    }
  }
  // The row numbers' column is wide enough for the summary line's title too.
  const int title =
      summary_->verticalHeader()->fontMetrics().horizontalAdvance(model_->Summary(-1));
  body_->verticalHeader()->setMinimumWidth(title + 12);
  const int numbers = std::max(body_->verticalHeader()->width(), title + 12);
  frozen_->verticalHeader()->setFixedWidth(numbers);
  summary_->verticalHeader()->setFixedWidth(numbers);
  summary_->setFixedHeight(summary_->verticalHeader()->defaultSectionSize() +
                           2 * summary_->frameWidth());
  int height = body_->horizontalHeader()->height();
  for (int r = 0; r < kFrozenRows && r < model_->rowCount(); ++r) {
    height += body_->rowHeight(r);
  }
  frozen_->setGeometry(body_->x() + body_->frameWidth(), body_->y() + body_->frameWidth(),
                       body_->viewport()->width() + body_->verticalHeader()->width(), height);
  frozen_->raise();
  frozen_->horizontalScrollBar()->setValue(body_->horizontalScrollBar()->value());
  summary_->horizontalScrollBar()->setValue(body_->horizontalScrollBar()->value());
}

void Grid::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  PlaceFrozen();
}

std::vector<Tessel::GridRange> Grid::Selection() const {
  std::vector<Tessel::GridRange> ranges;
  for (const QItemSelectionRange& r : body_->selectionModel()->selection()) {
    ranges.push_back({GridModel::GridRow(r.top()), GridModel::GridColumn(r.left()),
                      GridModel::GridRow(r.bottom()), GridModel::GridColumn(r.right())});
  }
  return ranges;
}

void Grid::SelectCell(std::uint32_t row, std::uint32_t column) {
  const QModelIndex index = model_->index(static_cast<int>(row) - 1, static_cast<int>(column) - 1);
  body_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  body_->scrollTo(index);
}

QRect Grid::CellRect(std::uint32_t row, std::uint32_t column) const {
  const QModelIndex index = model_->index(static_cast<int>(row) - 1, static_cast<int>(column) - 1);
  QTableView* view = index.row() < kFrozenRows ? frozen_ : body_;
  const QRect r = view->visualRect(index);
  return QRect(view->viewport()->mapTo(this, r.topLeft()), r.size());
}

void Grid::SelectionMoved() {
  owner_.OnSelectionChanged(Selection());
}

void Grid::ShowContextItems(std::uint32_t row, std::uint32_t column, QPoint at) {
  std::uint32_t count = 0;
  if (items_.GetItemCount(row, column, &count) != Tessel::kOk || count == 0) {
    return;
  }
  QMenu menu(this);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string text;
    if (items_.GetItemText(row, column, i, &text) == Tessel::kOk) {
      menu.addAction(QString::fromStdString(text))->setData(i);
    }
  }
  if (QAction* chosen = menu.exec(at)) {
    owner_.OnContextItem(row, column, chosen->data().toUInt());
  }
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
  // The fixed rows cover the body's own exactly, whatever size the body's viewport takes.
  if (watched == body_->viewport() && event->type() == QEvent::Resize) {
    PlaceFrozen();
    return false;
  }
  if ((watched == body_ || watched == frozen_) && event->type() == QEvent::KeyPress) {
    // While a cell is edited its editor has the keys, so this Delete is the grid's.
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
      owner_.OnDeleteKey();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace TVF_Grid
