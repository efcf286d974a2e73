#include "tessel/views/qt/AutoAnalyzeDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "tessel/views/qt/DialogTemplateWidgets.h"

namespace Tessel {

AutoAnalyzeDlg::AutoAnalyzeDlg(AutoAnalyzeDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("AutoAnalyzeDlg"));
  const std::vector<QWidget*> w = BuildDialog(*this, kAutoAnalyzeDialog);
  const DialogTemplate& t = kAutoAnalyzeDialog;
  channel_ = ControlOf<QComboBox>(t, w, kIdAutoChannel);
  column_ = ControlOf<QLineEdit>(t, w, kIdAutoColumn);
  found_ = ControlOf<QLabel>(t, w, kIdFoundText);
  foundMarker_ = ControlOf<QLabel>(t, w, kIdFoundMarker);
  start_ = ControlOf<QLineEdit>(t, w, kIdStartOffset);
  stop_ = ControlOf<QLineEdit>(t, w, kIdStopOffset);
  startMarker_ = ControlOf<QLabel>(t, w, kIdStartMarker);
  stopMarker_ = ControlOf<QLabel>(t, w, kIdStopMarker);
  balloon_ = new BalloonTip(this);

  for (const std::string& title : model_.Channels()) {
    channel_->addItem(QString::fromStdString(title));
  }
  channel_->setCurrentIndex(model_.ChannelIndex());
  start_->setText(QString::fromStdString(model_.StartText()));
  stop_->setText(QString::fromStdString(model_.StopText()));
  ShowFound();
  Connect();
  start_->setFocus();
}

void AutoAnalyzeDlg::Run(AutoAnalyzeDialogModel& model) {
  AutoAnalyzeDlg dialog(model, QApplication::activeWindow());
  dialog.exec();
}

void AutoAnalyzeDlg::Connect() {
  connect(channel_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SelectChannel(index);
    ShowFound();
  });
  connect(start_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.SetStartText(text.toStdString());
    ShowCheck(std::nullopt);
  });
  connect(stop_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.SetStopText(text.toStdString());
    ShowCheck(std::nullopt);
  });
  start_->installEventFilter(this);
  stop_->installEventFilter(this);
  const auto button = [this](std::int32_t id) {
    return findChild<QPushButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
  };
  connect(button(kIdAutoHelp), &QPushButton::clicked, this, [this] { model_.PressHelp(); });
  connect(button(kIdAnalyze), &QPushButton::clicked, this, [this] { Analyze(); });
  connect(button(kIdAutoCancel), &QPushButton::clicked, this, &QDialog::reject);
}

bool AutoAnalyzeDlg::eventFilter(QObject* watched, QEvent* event) {
  // Only the user's own moves check a field: not a window that takes the keyboard for a moment.
  if (event->type() == QEvent::FocusOut && isVisible() && !analyzing_) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      ShowCheck(model_.Leave(watched == start_ ? OffsetField::kStart : OffsetField::kStop));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AutoAnalyzeDlg::ShowFound() {
  found_->setText(QString::fromStdString(model_.FoundText()));
  column_->setText(QString::fromStdString(model_.ColumnText()));
  const std::optional<Tessel::Balloon> none = model_.FoundBalloon();
  foundMarker_->setVisible(none.has_value());
  balloon_->ShowFor(found_, isVisible() ? none : std::nullopt);
}

void AutoAnalyzeDlg::ShowCheck(const std::optional<OffsetCheck>& check) {
  const bool error = check && !check->balloon.warning;
  startMarker_->setVisible(error && check->field == OffsetField::kStart);
  stopMarker_->setVisible(error && check->field == OffsetField::kStop);
  if (check) {
    balloon_->ShowFor(Field(check->field), check->balloon);
  } else if (balloon_->Shown() && !model_.FoundBalloon()) {
    balloon_->ShowFor(nullptr, std::nullopt);
  }
}

void AutoAnalyzeDlg::Analyze() {
  // Every check in order; a warning still lets the run go.
  const std::optional<OffsetCheck> check = model_.Leave(OffsetField::kStart);
  if (check && !check->balloon.warning) {
    ShowCheck(check);
    return;
  }
  analyzing_ = true;
  balloon_->hide();
  // The dialog goes first: the run's progress window and its report are the host's.
  accept();
  model_.Analyze();
}

void AutoAnalyzeDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowFound();
}

void AutoAnalyzeDlg::hideEvent(QHideEvent* event) {
  balloon_->hide();
  QDialog::hideEvent(event);
}

void AutoAnalyzeDlg::keyPressEvent(QKeyEvent* event) {
  // F1 anywhere in the dialog: the fields do not take it, so it comes here.
  if (event->key() == Qt::Key_F1) {
    model_.PressHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace Tessel
