#include "strata/app/ScaleDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLocale>
#include <QVBoxLayout>
#include <limits>

namespace Strata {

namespace {

// A number as typed, in the user's notation or the C notation; NaN when it is none.
double ReadNumber(const QString& text) {
  bool ok = false;
  double value = QLocale().toDouble(text.trimmed(), &ok);
  if (!ok) {
    value = QLocale::c().toDouble(text.trimmed(), &ok);
  }
  return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

ScaleDialog::ScaleDialog(const QString& channel, const ValueRange& shown, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Scale of %1").arg(channel));
  top_ = new QLineEdit(QString::number(shown.high, 'g', 6), this);
  bottom_ = new QLineEdit(QString::number(shown.low, 'g', 6), this);
  automatic_ = new QCheckBox(QStringLiteral("&Automatic: the visible trace fills the lane"), this);
  problem_ = new QLabel(this);
  problem_->setStyleSheet(QStringLiteral("color: #b00000"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Top:"), top_);
  form->addRow(QStringLiteral("&Bottom:"), bottom_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &ScaleDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ScaleDialog::reject);
  connect(automatic_, &QCheckBox::toggled, this, [this](bool on) {
    top_->setEnabled(!on);
    bottom_->setEnabled(!on);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(automatic_);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
}

void ScaleDialog::accept() {
  if (!Automatic() && check_) {
    const std::string problem = check_(ReadNumber(bottom_->text()), ReadNumber(top_->text()));
    if (!problem.empty()) {
      problem_->setText(QString::fromStdString(problem));
      return;
    }
  }
  QDialog::accept();
}

}  // namespace Strata
