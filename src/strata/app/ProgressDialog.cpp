#include "strata/app/ProgressDialog.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace Strata {

ProgressDialog::ProgressDialog(ProgressIndicator& indicator, QWidget* parent)
    : QDialog(parent), indicator_(indicator) {
  setModal(true);
  setWindowTitle(QStringLiteral("Progress"));
  text_ = new QLabel(this);
  text_->setAccessibleName(QStringLiteral("Progress"));
  text_->setMinimumWidth(320);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  bar_->setAccessibleName(QStringLiteral("Progress"));
  stop_ = new QPushButton(QStringLiteral("Stop"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addWidget(stop_, 0, Qt::AlignRight);
  connect(stop_, &QPushButton::clicked, this, [this] { indicator_.PressStop(); });

  ProgressIndicator::Observer observer;
  observer.begin = [this](const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
    text_->clear();
    bar_->setValue(0);
    show();
  };
  observer.update = [this](double fraction, const std::string& text) {
    text_->setText(QString::fromStdString(text));
    bar_->setValue(std::isfinite(fraction)
                       ? static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 100.0))
                       : 0);
  };
  // The module works on this thread: the window only takes clicks and repaints while it asks.
  observer.poll = [] { QCoreApplication::processEvents(); };
  observer.end = [this] { hide(); };
  indicator_.Observe(std::move(observer));
}

ProgressDialog::~ProgressDialog() {
  indicator_.Observe({});
}

}  // namespace Strata
