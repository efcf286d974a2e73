#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

class QWidget;

namespace Tessel {

// A view the host shows in a window of its own: what a view class creates. The host places the
// widget (docked, tabbed or floating) and takes it over; the title names the window.
class IViewWindow : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IViewWindow";

  virtual QWidget* Widget() = 0;
  virtual std::string Title() = 0;
};

}  // namespace Tessel
