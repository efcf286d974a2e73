#include "cli/FitFailure.h"

namespace Cli {

std::string FitFailure(const Tessel::FitResult& r, bool fixHill) {
  const int parameters = fixHill ? 3 : 4;
  if (r.pointsAnalysed < parameters) {
    return "too few points: " + std::to_string(r.pointsAnalysed) + " with a positive dose and a " +
           "response, and the fit needs at least " + std::to_string(parameters) +
           (fixHill ? " with the Hill slope fixed" : " (3 with --fix-hill)");
  }
  if (!r.converged) {
    return "the fit did not converge";
  }
  if (!r.statisticsValid) {
    if (r.degreesOfFreedom <= 0) {
      return "the statistics are not valid: " + std::to_string(r.pointsAnalysed) + " points for " +
             std::to_string(parameters) + " parameters leave no degrees of freedom";
    }
    return "the statistics are not valid: the parameters' errors cannot be computed (the points "
           "do not determine every parameter)";
  }
  return {};
}

}  // namespace Cli
