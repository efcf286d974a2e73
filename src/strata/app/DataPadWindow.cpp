#include "strata/app/DataPadWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "strata/recording/DataPadText.h"

namespace Strata {

DataPadWindow::DataPadWindow(Host& host, QWidget* parent) : QWidget(parent, Qt::Tool), host_(host) {
  setWindowTitle(QStringLiteral("Data Pad"));
  table_ = new QTableWidget(this);
  table_->setAccessibleName(QStringLiteral("Data Pad rows"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  copy_ = new QPushButton(QStringLiteral("&Copy"), this);
  save_ = new QPushButton(QStringLiteral("&Save As CSV..."), this);
  clear_ = new QPushButton(QStringLiteral("C&lear"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy_);
  buttons->addWidget(save_);
  buttons->addStretch(1);
  buttons->addWidget(clear_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  connect(copy_, &QPushButton::clicked, this, &DataPadWindow::Copy);
  connect(save_, &QPushButton::clicked, this, &DataPadWindow::SaveAsCsv);
  connect(clear_, &QPushButton::clicked, this, &DataPadWindow::ClearRows);
  host_.Pad().OnChanged([this] { Fill(); });
  resize(640, 320);
  Fill();
}

DataPadWindow::~DataPadWindow() {
  host_.Pad().OnChanged({});
}

void DataPadWindow::Fill() {
  const DataPadRows& rows = host_.Pad().Rows();
  size_t columns = 0;
  for (const auto& row : rows) {
    columns = std::max(columns, row.size());
  }
  table_->clearContents();
  table_->setRowCount(static_cast<int>(rows.size()));
  table_->setColumnCount(static_cast<int>(columns));
  QStringList names;
  for (size_t c = 0; c < columns; ++c) {
    names << QString::fromStdString(DataPadColumnName(c));
  }
  table_->setHorizontalHeaderLabels(names);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      table_->setItem(static_cast<int>(r), static_cast<int>(c),
                      new QTableWidgetItem(QString::fromStdString(rows[r][c])));
    }
  }
  table_->scrollToBottom();
  copy_->setEnabled(!rows.empty());
  save_->setEnabled(!rows.empty());
  clear_->setEnabled(!rows.empty());
}

void DataPadWindow::Tell(const std::string& text, const std::string& caption) {
  host_.MessageBox()->Show(text, caption, Tessel::MessageIcon::kError,
                           Tessel::MessageButtons::kOkOnly);
}

void DataPadWindow::Copy() {
  if (host_.Clipboard()->SetText(DataPadTabText(host_.Pad().Rows())) != Tessel::kOk) {
    Tell("Unable to copy to clipboard at present", "Error");
  }
}

bool DataPadWindow::SaveAsCsv() {
  std::string path;
  if (host_.FileChooser()->ChooseSavePath("Save Data Pad As", "CSV files (*.csv)", "Data Pad.csv",
                                          &path) != Tessel::kOk ||
      path.empty()) {
    return false;
  }
  if (const std::string fault = SaveDataPadCsv(host_.Pad().Rows(), path); !fault.empty()) {
    Tell(fault, "Strata");
    return false;
  }
  return true;
}

void DataPadWindow::ClearRows() {
  if (host_.MessageBox()->Show("Clear every row of the Data Pad?", "Strata",
                               Tessel::MessageIcon::kQuestion,
                               Tessel::MessageButtons::kYesNo) == Tessel::MessageAnswer::kYes) {
    host_.Pad().Clear();
  }
}

}  // namespace Strata
