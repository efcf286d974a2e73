#pragma once

#include <string>
#include <vector>

#include "tessel/host/IHelpService.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// Opens help topics; remembers which were asked for, in order.
class HelpService : public Tessel::RefCounted<Tessel::IHelpService> {
 public:
  Tessel::Status ShowTopic(std::string_view helpFile, std::string_view topic) override {
    shown_.push_back(std::string(helpFile) + "::" + std::string(topic));
    return Tessel::kOk;
  }
  const std::vector<std::string>& Shown() const { return shown_; }

 private:
  std::vector<std::string> shown_;
};

}  // namespace Strata
