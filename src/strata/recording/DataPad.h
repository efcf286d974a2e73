#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tessel/host/IDataPad.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The host's Data Pad: rows of values the user collects from several analyses.
class DataPad : public Tessel::RefCounted<Tessel::IDataPad> {
 public:
  Tessel::Status AddRow(const std::vector<std::string>& cells) override {
    rows_.push_back(cells);
    Changed();
    return Tessel::kOk;
  }
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  void Clear() {
    rows_.clear();
    Changed();
  }
  // Called after every change, so a window showing the rows keeps up with them.
  void OnChanged(std::function<void()> f) { onChanged_ = std::move(f); }

 private:
  void Changed() {
    if (onChanged_) {
      onChanged_();
    }
  }

  std::vector<std::vector<std::string>> rows_;
  std::function<void()> onChanged_;
};

}  // namespace Strata
