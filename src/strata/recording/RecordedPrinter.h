#pragma once

#include <string>
#include <vector>

#include "tessel/host/IPrintService.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// Printing where there is no printer (the command line, tests): every job is kept.
class RecordedPrinter : public Tessel::RefCounted<Tessel::IPrintService> {
 public:
  struct Job {
    std::string title;
    std::string text;
  };
  Tessel::Status PrintText(const std::string& title, const std::string& text) override {
    jobs_.push_back(Job{title, text});
    return Tessel::kOk;
  }
  const std::vector<Job>& Jobs() const { return jobs_; }

 private:
  std::vector<Job> jobs_;
};

}  // namespace Strata
