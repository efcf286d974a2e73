#include "tessel/views/qt/TesselTableView.h"

#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QToolTip>

#include "tessel/export/TableTextWriter.h"
#include "tessel/host/HostQueries.h"
#include "tessel/views/ExportCommands.h"
#include "tessel/views/SettingsCommand.h"
#include "tessel/views/TableViewCells.h"
#include "tessel/views/qt/SaveFileDialog.h"
#include "tessel/views/qt/TableViewSettingsDlg.h"

namespace Tessel {
namespace {

// Lays the content out by the Table View's rule on every size change.
class TableContent : public QWidget {
 public:
  TableContent(QWidget* parent, std::function<void(QWidget&)> layOut)
      : QWidget(parent), layOut_(std::move(layOut)) {}

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    layOut_(*this);
  }

 private:
  std::function<void(QWidget&)> layOut_;
};

// The buttons' face, Tahoma. Where the system has none, Wine's metric-compatible Tahoma is used
// when it is installed (Debian's fonts-wine); otherwise the system substitutes its nearest face.
QFont ButtonFont() {
  static const bool loaded = [] {
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
      QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    }
    return true;
  }();
  (void)loaded;
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  font.setWeight(QFont::Normal);
  return font;
}

QRect ToRect(const TableLayout::Rect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace

TesselTableView::TesselTableView(Document& doc)
    : TesselViewBase({"Tessel Table View", "Copy Table View", "Print Table View", "tsl_tableview"}),
      doc_(&doc),
      presenter_(std::make_unique<TableViewPresenter>(doc)) {
  presenter_->SetChangedHandler([this] { Show(); });
  presenter_->SetSettingsHandler([this] { RunSettingsCommand(*doc_, TableViewSettingsDlg::Run); });
  // The hidden Export... button: with this view open, Export to Text is the view's own export.
  presenter_->SetExportHandler([this] {
    SaveFileDialog chooser;
    ExportToText(*doc_, chooser, UserDocumentsFolder());
  });
}

TesselTableView::~TesselTableView() {
  // The presenter must not call back into a window that is going, nor the grid read a table
  // that has gone.
  presenter_->SetChangedHandler(nullptr);
  DestroyWindow();
  grid_ = nullptr;
}

QWidget* TesselTableView::CreateContent(QWidget* parent) {
  auto* content = new TableContent(parent, [this](QWidget& w) { LayOut(w); });
  const QFont font = ButtonFont();
  grid_ = new TVF_Grid::Grid(presenter_->Data(), presenter_->Data(), *this, content);
  grid_->setFont(font);
  grid_->SetOptions(presenter_->GridOptions());
  for (size_t i = 0; i < kTableButtons.size(); ++i) {
    const TableButtonInfo& info = kTableButtons[i];
    auto* button = new QPushButton(QString::fromLatin1(info.text), content);
    button->setFont(font);
    button->setObjectName(QString::number(static_cast<int>(info.id)));
    button->setAccessibleName(QString::fromLatin1(info.text));
    button->setFocusPolicy(Qt::TabFocus);
    QObject::connect(button, &QPushButton::clicked, content,
                     [this, id = info.id] { presenter_->PressButton(id); });
    buttons_[i] = button;
  }
  content->setMinimumSize(200, 120);
  Show();
  return content;
}

void TesselTableView::LayOut(QWidget& content) {
  const TableLayout layout = LayOutTableView(content.width(), content.height());
  grid_->setGeometry(ToRect(layout.grid));
  if (!layout.buttonsPlaced) {
    return;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setGeometry(ToRect(layout.buttons[i]));
  }
}

QPushButton* TesselTableView::Button(TableButton id) const {
  for (size_t i = 0; i < kTableButtons.size(); ++i) {
    if (kTableButtons[i].id == id) {
      return buttons_[i];
    }
  }
  return nullptr;
}

void TesselTableView::Show() {
  if (grid_ == nullptr || showing_) {
    return;
  }
  showing_ = true;
  grid_->SetOptions(presenter_->GridOptions());
  grid_->Refresh();
  // The grid shows the presenter's current cell, also after it moved on by itself.
  if (const std::optional<CellIndex> cell = presenter_->CurrentCell()) {
    const std::vector<GridRange> shown = grid_->Selection();
    if (shown.size() != 1 || shown[0].top != cell->row || shown[0].left != cell->column ||
        shown[0].bottom != cell->row || shown[0].right != cell->column) {
      grid_->SelectCell(cell->row, cell->column);
    }
  } else if (!presenter_->RangeSelected()) {
    grid_->Body().selectionModel()->clearSelection();
  }
  for (size_t i = 0; i < kTableButtons.size(); ++i) {
    buttons_[i]->setVisible(presenter_->Visible(kTableButtons[i].id));
    buttons_[i]->setEnabled(presenter_->Enabled(kTableButtons[i].id));
  }
  const std::string& tip = presenter_->Tip();
  if (tip != shownTip_) {
    shownTip_ = tip;
    if (StatusBar() != nullptr) {
      StatusBar()->showMessage(QString::fromStdString(tip));
    }
    if (!tip.empty() && buttons_[1]->isVisible()) {
      QToolTip::showText(buttons_[1]->mapToGlobal(QPoint(0, 0)), QString::fromStdString(tip),
                         buttons_[1]);
    }
  }
  showing_ = false;
}

void TesselTableView::OnSelectionChanged(const std::vector<GridRange>& ranges) {
  // The grid's own selection while the table is redrawn is not the user's.
  if (showing_) {
    return;
  }
  if (ranges.size() == 1 && ranges[0].top == ranges[0].bottom &&
      ranges[0].left == ranges[0].right) {
    presenter_->SelectCell(ranges[0].top, ranges[0].left);
  } else if (ranges.empty()) {
    presenter_->ClearSelection();
  } else {
    std::vector<CellRange> cells;
    for (const GridRange& r : ranges) {
      cells.push_back({r.top, r.left, r.bottom, r.right});
    }
    presenter_->SelectRanges(cells);
  }
}

void TesselTableView::OnCellCommitted(std::uint32_t row, std::uint32_t column,
                                      const std::string& text) {
  presenter_->CommitEdit(row, column, text);
}

void TesselTableView::OnContextItem(std::uint32_t row, std::uint32_t column, std::uint32_t index) {
  presenter_->ChooseContextItem(row, column, index);
}

std::string TesselTableView::SelectionText() {
  if (grid_ == nullptr) {
    return {};
  }
  const std::vector<GridRange> ranges = grid_->Selection();
  if (ranges.empty()) {
    return {};
  }
  TableViewCells cells(presenter_->Data());
  TableTextWriter writer(cells);
  const GridRange& r = ranges.front();
  return writer.CopyText(r.top, r.bottom, r.left, r.right,
                         QueryService<IProgressIndicator>(doc_->Parent()).get());
}

Status TesselTableView::Copy() {
  const std::string text = SelectionText();
  if (text.empty()) {
    return kFalse;
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  return kOk;
}

void TesselTableView::PrintTo(QPrinter& printer) {
  // The table as the grid shows it, every row and column, one HTML table the printer pages.
  TableViewCells cells(presenter_->Data());
  QString html = QStringLiteral("<h3>%1</h3><table border=1 cellspacing=0 cellpadding=3>")
                     .arg(QString::fromStdString(Title()).toHtmlEscaped());
  for (std::uint32_t row = 0; row < cells.RowCount(); ++row) {
    html += QStringLiteral("<tr>");
    for (std::uint32_t column = 0; column < cells.ColumnCount(); ++column) {
      html += QStringLiteral("<td>%1</td>")
                  .arg(QString::fromStdString(cells.OutputText(row, column)).toHtmlEscaped());
    }
    html += QStringLiteral("</tr>");
  }
  html += QStringLiteral("</table>");
  QTextDocument document;
  document.setHtml(html);
  document.print(&printer);
}

Status TesselTableView::Print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, grid_);
  preview.setWindowTitle(QStringLiteral("Print Table View"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter* p) { PrintTo(*p); });
  return preview.exec() == QDialog::Accepted ? kOk : kFalse;
}

}  // namespace Tessel
