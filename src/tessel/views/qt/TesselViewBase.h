#pragma once

#include <QPointer>
#include <QStatusBar>
#include <QWidget>
#include <string>

#include "tessel/host/RefCounted.h"
#include "tessel/host/qt/IViewWindow.h"

namespace Tessel {

// What the three Tessel views have in common: a window the host places, with the view's content
// above a status bar; the title, the names of its Copy and Print commands and its help topic,
// as the host shows them.
class TesselViewBase : public RefCounted<IViewWindow> {
 public:
  struct Names {
    std::string title;
    std::string copyCommand;
    std::string printCommand;
    std::string helpTopic;
  };

  // The window, made on the first call; the host takes it over.
  QWidget* Widget() override;
  std::string Title() override { return names_.title; }
  std::string CopyCommand() override { return names_.copyCommand; }
  std::string PrintCommand() override { return names_.printCommand; }
  std::string HelpTopic() override { return names_.helpTopic; }

  QStatusBar* StatusBar() const { return status_; }

 protected:
  explicit TesselViewBase(Names names) : names_(std::move(names)) {}
  ~TesselViewBase() override;
  // The view's own content, made once, inside the window.
  virtual QWidget* CreateContent(QWidget* parent) = 0;
  // Closes the window. A view calls it first in its destructor: the window reads the view's
  // state until it is gone.
  void DestroyWindow();

 private:
  Names names_;
  QPointer<QWidget> frame_;
  QStatusBar* status_ = nullptr;
};

}  // namespace Tessel
