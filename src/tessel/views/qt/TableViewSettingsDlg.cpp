#include "tessel/views/qt/TableViewSettingsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "tessel/views/qt/DialogTemplateWidgets.h"
#include "tessel/views/qt/SettingsWarningDlg.h"

namespace Tessel {

TableViewSettingsDlg::TableViewSettingsDlg(TableViewSettingsDlgModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TableViewSettingsDlg"));
  const std::vector<QWidget*> w = BuildDialog(*this, kSettingsDialog);
  const DialogTemplate& t = kSettingsDialog;
  method_ = ControlOf<QComboBox>(t, w, kIdCalcMethod);
  sigFigs_ = ControlOf<QLineEdit>(t, w, kIdSigFigs);
  spin_ = ControlOf<QWidget>(t, w, kIdSigFigsSpin);
  marker_ = ControlOf<QLabel>(t, w, kIdSigFigsMarker);
  scientific_ = ControlOf<QCheckBox>(t, w, kIdScientific);
  perDose_ = ControlOf<QCheckBox>(t, w, kIdPerDoseBaseline);
  down_ = ControlOf<QRadioButton>(t, w, kIdAdvanceDown);
  across_ = ControlOf<QRadioButton>(t, w, kIdAdvanceAcross);
  balloon_ = new BalloonTip(this);

  for (const CalcMethodItem& item : TableViewSettingsDlgModel::CalcMethods()) {
    method_->addItem(QString::fromStdString(item.text), item.type);
  }
  method_->setCurrentIndex(model_.CalcMethodIndex());
  scientific_->setChecked(model_.Scientific());
  (model_.AdvanceDown() ? down_ : across_)->setChecked(true);
  Show();
  Connect();
  sigFigs_->setFocus();
}

TableViewSettingsDlg::~TableViewSettingsDlg() {
  model_.SetWarningHandler(nullptr);
}

bool TableViewSettingsDlg::Run(TableViewSettingsDlgModel& model) {
  TableViewSettingsDlg dialog(model, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

void TableViewSettingsDlg::Connect() {
  connect(method_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SelectCalcMethod(index);
    Show();
  });
  connect(sigFigs_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.SetSigFigsText(text.toStdString());
    Show();
  });
  for (const std::pair<const char*, int>& arrow : {std::pair{"up", 1}, std::pair{"down", -1}}) {
    connect(spin_->findChild<QToolButton*>(QString::fromLatin1(arrow.first)), &QToolButton::clicked,
            this, [this, steps = arrow.second] {
              model_.Spin(steps);
              Show();
            });
  }
  connect(scientific_, &QCheckBox::toggled, this, [this](bool on) { model_.SetScientific(on); });
  connect(perDose_, &QCheckBox::clicked, this, [this](bool on) {
    model_.SetPerDoseBaseline(on);
    Show();
  });
  connect(down_, &QRadioButton::toggled, this, [this](bool on) { model_.SetAdvanceDown(on); });
  const auto button = [&](std::int32_t id) {
    return findChild<QPushButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
  };
  connect(button(kIdSettingsHelp), &QPushButton::clicked, this, [this] { model_.PressHelp(); });
  connect(button(kIdSettingsOk), &QPushButton::clicked, this, [this] {
    if (model_.PressOk()) {
      accept();
    }
  });
  connect(button(kIdSettingsCancel), &QPushButton::clicked, this, &QDialog::reject);
  model_.SetWarningHandler([this] {
    SettingsWarningDlg warning(this);
    warning.exec();
  });
}

void TableViewSettingsDlg::Show() {
  const QString figures = QString::fromStdString(model_.SigFigsText());
  if (sigFigs_->text() != figures) {
    sigFigs_->setText(figures);
  }
  const std::optional<Tessel::Balloon>& balloon = model_.SigFigsBalloon();
  marker_->setVisible(balloon.has_value());
  marker_->setToolTip(balloon ? QString::fromStdString(balloon->title + "\n" + balloon->text)
                              : QString());
  balloon_->ShowFor(sigFigs_, isVisible() ? balloon : std::nullopt);
  perDose_->setEnabled(model_.PerDoseBaseline().Enabled());
  perDose_->setChecked(model_.PerDoseBaseline().Checked());
}

void TableViewSettingsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Show();
}

void TableViewSettingsDlg::hideEvent(QHideEvent* event) {
  balloon_->hide();
  QDialog::hideEvent(event);
}

void TableViewSettingsDlg::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (isVisible()) {
    Show();
  }
}

void TableViewSettingsDlg::keyPressEvent(QKeyEvent* event) {
  // F1 anywhere in the dialog: the fields do not take it, so it comes here.
  if (event->key() == Qt::Key_F1) {
    model_.PressHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace Tessel
