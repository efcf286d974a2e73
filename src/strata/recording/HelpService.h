#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tessel/host/IHelpService.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// Opens help topics; remembers which were asked for, in order. The desktop shows each in its
// help window; the command line only remembers.
class HelpService : public Tessel::RefCounted<Tessel::IHelpService> {
 public:
  Tessel::Status ShowTopic(std::string_view helpFile, std::string_view topic) override {
    shown_.push_back(std::string(helpFile) + "::" + std::string(topic));
    if (onShow_) {
      onShow_(std::string(topic));
    }
    return Tessel::kOk;
  }
  const std::vector<std::string>& Shown() const { return shown_; }
  // Called with each topic asked for.
  void OnShow(std::function<void(const std::string&)> f) { onShow_ = std::move(f); }

 private:
  std::vector<std::string> shown_;
  std::function<void(const std::string&)> onShow_;
};

}  // namespace Strata
