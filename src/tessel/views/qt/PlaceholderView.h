#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "tessel/host/RefCounted.h"
#include "tessel/host/qt/IViewWindow.h"

namespace Tessel {

// A view whose window is still to come: it says which view it is, so that the road from the
// menu to a window can be walked already.
class PlaceholderView : public RefCounted<IViewWindow> {
 public:
  explicit PlaceholderView(std::string title) : title_(std::move(title)) {}
  ~PlaceholderView() override;

  QWidget* Widget() override;
  std::string Title() override { return title_; }

 private:
  std::string title_;
  QPointer<QWidget> widget_;
};

}  // namespace Tessel
