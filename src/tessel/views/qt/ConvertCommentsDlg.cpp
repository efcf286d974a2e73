#include "tessel/views/qt/ConvertCommentsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "tessel/views/qt/DialogTemplateWidgets.h"

namespace Tessel {
namespace {

void Fill(QComboBox* box, const std::vector<std::string>& items, std::int32_t current) {
  const QSignalBlocker quiet(box);
  box->clear();
  for (const std::string& item : items) {
    box->addItem(QString::fromStdString(item));
  }
  box->setCurrentIndex(current);
}

}  // namespace

ConvertCommentsDlg::ConvertCommentsDlg(ConvertCommentsDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("ConvertCommentsDlg"));
  const std::vector<QWidget*> w = BuildDialog(*this, kConvertCommentsDialog);
  const DialogTemplate& t = kConvertCommentsDialog;
  search_ = ControlOf<QComboBox>(t, w, kIdSearchChannel);
  output_ = ControlOf<QComboBox>(t, w, kIdOutputChannel);
  label_ = ControlOf<QLineEdit>(t, w, kIdRunLabel);
  dose_ = ControlOf<QLineEdit>(t, w, kIdDose);
  left_ = ControlOf<QListWidget>(t, w, kIdUnconverted);
  right_ = ControlOf<QListWidget>(t, w, kIdConverted);
  add_ = ControlOf<QPushButton>(t, w, kIdAdd);
  remove_ = ControlOf<QPushButton>(t, w, kIdRemove);
  Fill(search_, model_.SearchChannels(), model_.SearchIndex());
  Fill(output_, model_.OutputChannels(), model_.OutputIndex());
  label_->setText(QString::fromStdString(model_.LabelField()));
  dose_->setText(QString::fromStdString(model_.DoseField()));
  ShowLists();
  Connect();
}

void ConvertCommentsDlg::Run(ConvertCommentsDialogModel& model) {
  ConvertCommentsDlg dialog(model, QApplication::activeWindow());
  dialog.exec();
}

void ConvertCommentsDlg::Connect() {
  connect(search_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SelectSearchChannel(index);
    Fill(output_, model_.OutputChannels(), model_.OutputIndex());
    left_->clearSelection();
    ShowLists();
  });
  connect(output_, &QComboBox::currentIndexChanged, this,
          [this](int index) { model_.SelectOutputChannel(index); });
  connect(label_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.LabelField() = text.toStdString(); });
  connect(dose_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.DoseField() = text.toStdString(); });
  connect(left_, &QListWidget::itemSelectionChanged, this, [this] { Select(left_); });
  connect(right_, &QListWidget::itemSelectionChanged, this, [this] { Select(right_); });
  connect(add_, &QPushButton::clicked, this, [this] {
    if (model_.Add(SelectedLines())) {
      left_->clearSelection();
      ShowLists();
    }
  });
  connect(remove_, &QPushButton::clicked, this, [this] {
    model_.Remove(SelectedLines());
    ShowLists();
  });
  const auto button = [this](std::int32_t id) {
    return findChild<QPushButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
  };
  connect(button(kIdConvertHelp), &QPushButton::clicked, this, [this] { model_.PressHelp(); });
  connect(button(kIdConvert), &QPushButton::clicked, this, [this] {
    // The dialog goes first: the run's progress window and its report are the host's.
    accept();
    model_.Convert();
  });
  connect(button(kIdConvertCancel), &QPushButton::clicked, this, &ConvertCommentsDlg::reject);
}

void ConvertCommentsDlg::reject() {
  if (model_.Cancel()) {
    QDialog::reject();
  }
}

void ConvertCommentsDlg::ShowLists() {
  const std::vector<std::int32_t> selected = SelectedLines();
  const QSignalBlocker quietLeft(left_);
  const QSignalBlocker quietRight(right_);
  for (const auto& [list, lines] :
       {std::pair{left_, model_.Unconverted()}, std::pair{right_, model_.Converted()}}) {
    list->clear();
    for (const std::string& line : lines) {
      list->addItem(QString::fromStdString(line));
    }
    for (std::int32_t line : selected) {
      if (QListWidgetItem* item = list->item(line)) {
        item->setSelected(true);
      }
    }
  }
  add_->setEnabled(!selected.empty() && left_->count() > 0);
  remove_->setEnabled(add_->isEnabled());
}

std::vector<std::int32_t> ConvertCommentsDlg::SelectedLines() const {
  std::vector<std::int32_t> lines;
  for (int i = 0; i < left_->count(); ++i) {
    if (left_->item(i)->isSelected()) {
      lines.push_back(i);
    }
  }
  return lines;
}

void ConvertCommentsDlg::Select(QListWidget* from) {
  if (selecting_) {
    return;
  }
  // Line i of one list belongs to line i of the other: they are selected together.
  selecting_ = true;
  QListWidget* other = from == left_ ? right_ : left_;
  for (int i = 0; i < from->count() && i < other->count(); ++i) {
    other->item(i)->setSelected(from->item(i)->isSelected());
  }
  selecting_ = false;
  const bool any = !SelectedLines().empty();
  add_->setEnabled(any);
  remove_->setEnabled(any);
}

void ConvertCommentsDlg::keyPressEvent(QKeyEvent* event) {
  // F1 anywhere in the dialog: the fields do not take it, so it comes here.
  if (event->key() == Qt::Key_F1) {
    model_.PressHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace Tessel
