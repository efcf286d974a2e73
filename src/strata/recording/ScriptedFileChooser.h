#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "tessel/host/IFileChooser.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The file chooser where no one can choose (the command line, tests): answers the paths a test
// scripted, in order, and cancels when none is left; records every title it was asked with.
class ScriptedFileChooser : public Tessel::RefCounted<Tessel::IFileChooser> {
 public:
  Tessel::Status ChooseSavePath(const std::string& title, const std::string& filter,
                                const std::string& suggestedName, std::string* path) override {
    asked_.push_back(title + "|" + filter + "|" + suggestedName);
    if (path == nullptr) {
      return Tessel::kFail;
    }
    path->clear();
    if (answers_.empty()) {
      return Tessel::kFalse;
    }
    *path = answers_.front();
    answers_.pop_front();
    return Tessel::kOk;
  }
  void Answer(std::string path) { answers_.push_back(std::move(path)); }
  // "title|filter|suggested name" of every question, in order.
  const std::vector<std::string>& Asked() const { return asked_; }

 private:
  std::deque<std::string> answers_;
  std::vector<std::string> asked_;
};

}  // namespace Strata
