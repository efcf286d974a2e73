#pragma once

#include <string>
#include <vector>

#include "tessel/host/IDataPad.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The host's Data Pad: rows of values the user collects from several analyses.
class DataPad : public Tessel::RefCounted<Tessel::IDataPad> {
 public:
  Tessel::Status AddRow(const std::vector<std::string>& cells) override {
    rows_.push_back(cells);
    return Tessel::kOk;
  }
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  void Clear() { rows_.clear(); }

 private:
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace Strata
