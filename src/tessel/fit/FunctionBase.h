#pragma once

#include <vector>

namespace ExtLib {

// A least-squares model y = f(x; p): everything the minimiser and the statistics need to know
// about it. Implementations are stateless, so one object may serve any number of fits.
class FunctionBase {
 public:
  FunctionBase() = default;
  FunctionBase(const FunctionBase&) = default;
  FunctionBase& operator=(const FunctionBase&) = default;

  virtual int ParameterCount() const = 0;

  // Starting values from the data (x and y parallel; n is the length of x). p is enlarged to
  // ParameterCount() entries when shorter, never shrunk.
  virtual void InitialEstimates(const std::vector<double>& x, const std::vector<double>& y,
                                std::vector<double>& p) const = 0;

  // The model value at one x.
  virtual double Evaluate(double x, const std::vector<double>& p) const = 0;

  // The partial derivatives at one x; g arrives sized and zeroed by the caller and only the
  // model's own entries are overwritten.
  virtual void Gradient(double x, const std::vector<double>& p, std::vector<double>& g) const = 0;

  virtual ~FunctionBase() = default;
};

}  // namespace ExtLib
