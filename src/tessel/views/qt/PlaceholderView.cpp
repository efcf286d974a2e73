#include "tessel/views/qt/PlaceholderView.h"

#include <QLabel>

namespace Tessel {

PlaceholderView::~PlaceholderView() {
  // A widget the host never took is still ours.
  if (widget_ && widget_->parent() == nullptr) {
    delete widget_.data();
  }
}

QWidget* PlaceholderView::Widget() {
  if (!widget_) {
    const QString title = QString::fromStdString(title_);
    auto* label = new QLabel(title + QStringLiteral("\n\nThis view is not available yet."));
    label->setAlignment(Qt::AlignCenter);
    label->setWindowTitle(title);
    label->setAccessibleName(title);
    widget_ = label;
  }
  return widget_;
}

}  // namespace Tessel
