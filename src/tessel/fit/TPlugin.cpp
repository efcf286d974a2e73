#include "tessel/fit/TPlugin.h"

#include <cstddef>

namespace ExtLib {

void TPlugin::Evaluate(const double* par, int m, double* fvec, int* /*status*/) {
  params_.assign(par, par + model_.ParameterCount());
  for (int i = 0; i < m; ++i) {
    fvec[i] = responses_[static_cast<std::size_t>(i)] -
              model_.Evaluate(doses_[static_cast<std::size_t>(i)], params_);
  }
}

}  // namespace ExtLib
