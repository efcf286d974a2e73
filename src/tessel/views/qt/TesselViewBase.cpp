#include "tessel/views/qt/TesselViewBase.h"

#include <QVBoxLayout>

namespace Tessel {

TesselViewBase::~TesselViewBase() {
  DestroyWindow();
}

void TesselViewBase::DestroyWindow() {
  // The window shows this view's state: it goes with the view, wherever the host put it.
  delete frame_.data();
  status_ = nullptr;
}

QWidget* TesselViewBase::Widget() {
  if (!frame_) {
    const QString title = QString::fromStdString(names_.title);
    auto* frame = new QWidget;
    frame->setWindowTitle(title);
    frame->setAccessibleName(title);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateContent(frame), 1);
    status_ = new QStatusBar(frame);
    status_->setSizeGripEnabled(false);
    status_->setAccessibleName(title + QStringLiteral(" status"));
    layout->addWidget(status_);
    frame_ = frame;
  }
  return frame_;
}

}  // namespace Tessel
