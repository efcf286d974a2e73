#pragma once

#include <deque>
#include <string>
#include <vector>

#include "tessel/host/IMessageBox.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The person in front of the screen, for tests: answers from a queue and records every message.
// With the queue empty it answers OK to an OK box and No to every question, so an unexpected
// question never agrees to anything.
class ScriptedMessageBox : public Tessel::RefCounted<Tessel::IMessageBox> {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    Tessel::MessageIcon icon;
    Tessel::MessageButtons buttons;
    Tessel::MessageAnswer answer;
  };

  Tessel::MessageAnswer Show(const std::string& text, const std::string& caption,
                             Tessel::MessageIcon icon, Tessel::MessageButtons buttons) override;

  void Answer(Tessel::MessageAnswer answer) { answers_.push_back(answer); }
  const std::vector<Shown>& Messages() const { return shown_; }
  size_t Pending() const { return answers_.size(); }
  void Clear() {
    shown_.clear();
    answers_.clear();
  }

 private:
  std::deque<Tessel::MessageAnswer> answers_;
  std::vector<Shown> shown_;
};

}  // namespace Strata
