#include "strata/app/CommandListDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace Strata {

CommandListDialog::CommandListDialog(const CommandRegistry& commands, QWidget* parent)
    : QDialog(parent), commands_(commands) {
  setWindowTitle(QStringLiteral("Commands"));
  search_ = new QLineEdit(this);
  search_->setPlaceholderText(QStringLiteral("Search commands"));
  search_->setAccessibleName(QStringLiteral("Search commands"));
  list_ = new QTableWidget(0, 3, this);
  list_->setAccessibleName(QStringLiteral("Commands"));
  list_->setHorizontalHeaderLabels(
      {QStringLiteral("Command"), QStringLiteral("Description"), QStringLiteral("Category")});
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* run = buttons->addButton(QStringLiteral("&Run"), QDialogButtonBox::AcceptRole);
  run->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(search_);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  connect(search_, &QLineEdit::textChanged, this, &CommandListDialog::Fill);
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { RunSelected(); });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { RunSelected(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(720, 420);
  Fill();
}

void CommandListDialog::Fill() {
  const auto found = commands_.Matching(search_->text().toStdString());
  list_->setRowCount(static_cast<int>(found.size()));
  for (int row = 0; row < list_->rowCount(); ++row) {
    const CommandRegistry::Command& c = *found[static_cast<size_t>(row)];
    list_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(c.info.name)));
    list_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(c.info.description)));
    list_->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(c.info.category)));
    if (!c.handler) {
      for (int column = 0; column < 3; ++column) {
        list_->item(row, column)->setFlags(Qt::ItemIsSelectable);
      }
    }
  }
  if (list_->rowCount() > 0) {
    list_->selectRow(0);
  }
}

bool CommandListDialog::RunSelected() {
  const QList<QTableWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) {
    return false;
  }
  const std::string name = list_->item(selected.front()->row(), 0)->text().toStdString();
  accept();
  return commands_.Run(name);
}

}  // namespace Strata
