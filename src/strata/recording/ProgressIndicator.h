#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tessel/host/IProgressIndicator.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The host's progress window. Records what it was shown; Stop is pressed by PressStop(), or by
// a test's trigger after a number of updates.
class ProgressIndicator : public Tessel::RefCounted<Tessel::IProgressIndicator> {
 public:
  Tessel::Status Begin(const std::string& title) override;
  Tessel::Status Update(double fraction, const std::string& text) override;
  Tessel::Status StopPressed() override;
  Tessel::Status End() override;

  void PressStop() { stop_ = true; }
  // Presses Stop once the given number of updates have been shown.
  void PressStopAfter(int updates) { stopAfter_ = updates; }
  // Called on every update (the command line prints the percentage).
  void OnUpdate(std::function<void(double, const std::string&)> f) { onUpdate_ = std::move(f); }

  // A window that shows the session: begin and end open and close it, update shows the text,
  // and poll runs whenever the module asks (an update or a look at Stop), so the window can
  // take the user's click and repaint while the work goes on.
  struct Observer {
    std::function<void(const std::string& title)> begin;
    std::function<void(double fraction, const std::string& text)> update;
    std::function<void()> poll;
    std::function<void()> end;
  };
  void Observe(Observer observer) { observer_ = std::move(observer); }

  const std::string& Title() const { return title_; }
  const std::vector<std::string>& Texts() const { return texts_; }
  bool Active() const { return active_; }
  int Sessions() const { return sessions_; }

 private:
  std::string title_;
  std::vector<std::string> texts_;
  std::function<void(double, const std::string&)> onUpdate_;
  Observer observer_;
  bool active_ = false;
  bool stop_ = false;
  int stopAfter_ = -1;
  int sessions_ = 0;
};

}  // namespace Strata
