#pragma once

#include <vector>

#include "tessel/fit/FunctionBase.h"
#include "tessel/fit/lmmin_plugin.h"

namespace ExtLib {

// Residuals response_i - model(dose_i) of one run. Holds references only: the vectors and the
// model must outlive it.
class TPlugin : public lmmin_plugin {
 public:
  TPlugin(const std::vector<double>& doses, const std::vector<double>& responses,
          const FunctionBase& model)
      : doses_(doses), responses_(responses), model_(model) {}

  void Evaluate(const double* par, int m, double* fvec, int* status) override;
  void Printout(int, const double*, int, const double*, int, int, int) override {}

 private:
  const std::vector<double>& doses_;
  const std::vector<double>& responses_;
  const FunctionBase& model_;
  std::vector<double> params_;  // reused between calls: the model takes a vector
};

}  // namespace ExtLib
