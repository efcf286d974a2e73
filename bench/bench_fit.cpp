// Fits per second of a 12-point four-parameter run, the fit the Results View repeats for every
// run on every redraw. bench/compare_fit.sh runs it beside scipy's curve_fit on the same points.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tessel/fit/ComputeFitStatistics.h"
#include "tessel/fit/FB_FourParam.h"
#include "tessel/fit/FitModel.h"
#include "tessel/fit/FitRun.h"

namespace {

struct Points {
  std::vector<double> x;
  std::vector<double> y;
};

// The shared 12-point data set (also read by bench/fit_baseline.py).
Points LoadPoints() {
  Points p;
  std::ifstream in(std::string(TESSEL_SOURCE_DIR) + "/tests/data/fit/sets/rising_noisy.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    double x = 0;
    double y = 0;
    fields >> x >> y;
    p.x.push_back(x);
    p.y.push_back(y);
  }
  return p;
}

// The whole fit as the views run it: minimiser, statistics and the record.
void BM_FitRunFourParameter(benchmark::State& state) {
  const Points p = LoadPoints();
  if (p.x.size() != 12) {
    state.SkipWithError("the 12-point data set is missing");
    return;
  }
  for (auto _ : state) {
    Tessel::FitResult result;
    Tessel::FitRun(p.x, p.y, false, result);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FitRunFourParameter);

// The minimiser alone, for comparison with the statistics' share.
void BM_FitModelFourParameter(benchmark::State& state) {
  const Points p = LoadPoints();
  const Sigmoid::FB_FourParam model;
  std::vector<double> params;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ExtLib::FitModel(p.x, p.y, params, model));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FitModelFourParameter);

// The 95% t quantile alone: ALGLIB's inverse Student t, once per fit.
void BM_StudentT975(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Tessel::StudentT975(8));
  }
}
BENCHMARK(BM_StudentT975);

}  // namespace

BENCHMARK_MAIN();
