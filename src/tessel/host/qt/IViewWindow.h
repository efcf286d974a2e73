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
  // The names of its Copy and Print commands as the host's Edit and File menus show them; empty
  // when the view has none. The commands act on what the view shows.
  virtual std::string CopyCommand() { return {}; }
  virtual std::string PrintCommand() { return {}; }
  virtual Status Copy() { return kFalse; }
  virtual Status Print() { return kFalse; }
  // The help topic F1 opens while the view is active.
  virtual std::string HelpTopic() { return {}; }
};

}  // namespace Tessel
