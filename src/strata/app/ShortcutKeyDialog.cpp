#include "strata/app/ShortcutKeyDialog.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <functional>

#include "tessel/host/VirtualKeys.h"

namespace Strata {
namespace {

constexpr int kRowRole = Qt::UserRole;

// A field that takes the next key pressed as the key to assign. Tab and Shift+Tab still move
// on, so the dialog can be left from the keyboard.
class KeyCaptureField : public QLineEdit {
 public:
  KeyCaptureField(std::function<void(std::uint32_t)> pressed, QWidget* parent)
      : QLineEdit(parent), pressed_(std::move(pressed)) {
    setReadOnly(true);
    setPlaceholderText(QStringLiteral("Press a key"));
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const bool plainTab = (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
                          (e->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
    if (plainTab) {
      QLineEdit::keyPressEvent(e);
      return;
    }
    if (const std::uint32_t code =
            Tessel::ShortcutKeyCodeOf(e->key(), static_cast<std::uint32_t>(e->modifiers().toInt()));
        code != 0) {
      pressed_(code);
    }
    e->accept();
  }

 private:
  std::function<void(std::uint32_t)> pressed_;
};

}  // namespace

ShortcutKeyDialog::ShortcutKeyDialog(Host& host, QWidget* parent)
    : QDialog(parent), host_(host), table_(host.Shortcuts()) {
  setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
  list_ = new QTreeWidget(this);
  list_->setAccessibleName(QStringLiteral("Commands"));
  list_->setHeaderLabels(
      {QStringLiteral("Command"), QStringLiteral("Description"), QStringLiteral("Key")});
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setRootIsDecorated(false);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  keyField_ = new KeyCaptureField([this](std::uint32_t key) { AssignSelected(key); }, this);
  keyField_->setAccessibleName(QStringLiteral("Key of the selected command"));
  clear_ = new QPushButton(QStringLiteral("C&lear Key"), this);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(keyField_, 1);
  keyRow->addWidget(clear_);
  auto* label = new QLabel(QStringLiteral("&Key:"), this);
  label->setBuddy(keyField_);
  auto* form = new QFormLayout;
  form->addRow(label, keyRow);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &ShortcutKeyDialog::ShowSelectedKey);
  connect(clear_, &QPushButton::clicked, this, [this] { AssignSelected(0); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(640, 420);
  Fill();
}

void ShortcutKeyDialog::Fill() {
  const int selected =
      list_->currentItem() != nullptr ? list_->currentItem()->data(0, kRowRole).toInt() : -1;
  rows_ = table_.Rows();
  list_->clear();
  QTreeWidgetItem* heading = nullptr;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const ShortcutKeyTable::Row& row = rows_[i];
    QTreeWidgetItem* item = nullptr;
    if (row.heading) {
      heading = new QTreeWidgetItem(list_, {QString::fromStdString(row.category)});
      heading->setFlags(Qt::ItemIsEnabled);
      heading->setFirstColumnSpanned(true);
      QFont bold = heading->font(0);
      bold.setBold(true);
      heading->setFont(0, bold);
      item = heading;
    } else {
      item = new QTreeWidgetItem(
          heading, {QString::fromStdString(row.command), QString::fromStdString(row.description),
                    QString::fromStdString(row.key)});
    }
    item->setData(0, kRowRole, static_cast<int>(i));
    if (static_cast<int>(i) == selected) {
      list_->setCurrentItem(item);
    }
  }
  list_->expandAll();
  ShowSelectedKey();
}

void ShortcutKeyDialog::OpenAt(const std::string& category) {
  const int row = table_.FirstCommandOf(category);
  for (QTreeWidgetItemIterator it(list_); *it != nullptr; ++it) {
    if ((*it)->data(0, kRowRole).toInt() == row) {
      list_->setCurrentItem(*it);
      list_->scrollToItem(*it);
    }
  }
  keyField_->setFocus();
}

void ShortcutKeyDialog::ShowSelectedKey() {
  QTreeWidgetItem* item = list_->currentItem();
  const int row = item != nullptr ? item->data(0, kRowRole).toInt() : -1;
  const bool command = row >= 0 && !rows_[static_cast<size_t>(row)].heading;
  keyField_->setEnabled(command);
  clear_->setEnabled(command);
  keyField_->setText(command ? QString::fromStdString(rows_[static_cast<size_t>(row)].key)
                             : QString());
}

void ShortcutKeyDialog::AssignSelected(std::uint32_t key) {
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr) {
    return;
  }
  const ShortcutKeyTable::Row row = rows_[static_cast<size_t>(item->data(0, kRowRole).toInt())];
  if (row.heading) {
    return;
  }
  if (const std::string refusal = table_.Assign(row.category, row.command, key); !refusal.empty()) {
    host_.MessageBox()->Show(refusal, "Keyboard Shortcuts", Tessel::MessageIcon::kWarning,
                             Tessel::MessageButtons::kOkOnly);
  }
  Fill();
}

}  // namespace Strata
