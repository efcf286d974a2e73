// CalculateResponse over a 10^8-sample selection of an in-memory recording, next to the
// memory-bound floor: one pass of double additions over the same float buffer. The ratios to
// that floor are printed after the run.
#include <sys/resource.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/TestRecording.h"
#include "tessel/measure/CalcType.h"

namespace {

using Tessel::TickPosition;

constexpr std::uint32_t kSelection = 100'000'000;
constexpr std::uint32_t kDoseTick = 500;
constexpr std::uint32_t kStartTick = 1000;
const char* const kBaselineName = "PlainDoubleSum";

long MaxRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// One recording shared by every benchmark: building 400 MB of samples once is enough.
class Fixture {
 public:
  static Fixture& Get() {
    static Fixture fixture;
    return fixture;
  }
  Testing::TestChart& Chart() { return *chart_; }
  const std::vector<float>& Samples() const { return chart_->Chart().Data().BlockAt(0).samples[0]; }

 private:
  Fixture() {
    Strata::Recording r;
    r.AddChannel("Signal");
    r.AddBlock(0.001, kStartTick + kSelection + 1000);
    auto& s = r.BlockAt(0).samples[0];
    for (size_t i = 0; i < s.size(); ++i) {
      s[i] = static_cast<float>(i % 1000) * 0.001f;
    }
    chart_ = std::make_unique<Testing::TestChart>(std::move(r));
    Tessel::TableViewElem& cell =
        chart_->Doc().Matrix().Cell(Tessel::kFirstDoseRow, Tessel::kFirstRunColumn);
    cell.channel = 0;
    cell.dosePosition = TickPosition(0, kDoseTick);
    cell.start = TickPosition(0, kStartTick);
    cell.end = TickPosition(0, kStartTick + kSelection);
    cell.responseAdded = true;
  }
  std::unique_ptr<Testing::TestChart> chart_;
};

void PlainDoubleSum(benchmark::State& state) {
  const std::vector<float>& samples = Fixture::Get().Samples();
  const float* first = samples.data() + kStartTick;
  for (auto _ : state) {
    double sum = 0.0;
    for (std::uint32_t i = 0; i < kSelection; ++i) {
      sum += first[i];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kSelection);
}

void CalculateResponse(benchmark::State& state) {
  Tessel::Document& doc = Fixture::Get().Chart().Doc();
  doc.Settings().calcType = static_cast<std::int32_t>(state.range(0));
  doc.Settings().perDoseBaseline = state.range(1) != 0;
  const long rssBefore = MaxRssKiB();
  for (auto _ : state) {
    benchmark::DoNotOptimize(doc.CalculateResponse(Tessel::kFirstRunColumn, Tessel::kFirstDoseRow));
  }
  state.SetItemsProcessed(state.iterations() * kSelection);
  // Peak memory does not grow with the selection: samples are read 512 at a time.
  state.counters["rss_growth_KiB"] = static_cast<double>(MaxRssKiB() - rssBefore);
  state.SetLabel(Tessel::CalcTypeName(doc.Settings().calcType) +
                 (doc.Settings().perDoseBaseline ? ", per-dose correction" : ""));
}

BENCHMARK(PlainDoubleSum)->Unit(benchmark::kMillisecond);
BENCHMARK(CalculateResponse)
    ->ArgNames({"type", "perDose"})
    ->ArgsProduct({{Tessel::kCalcAverage, Tessel::kCalcMaxMinusMin, Tessel::kCalcIntegral}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Prints each run's time as a multiple of the baseline's, measured in the same process.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto base = times_.find(kBaselineName);
    if (base == times_.end() || base->second.real <= 0.0 || base->second.cpu <= 0.0) {
      return;
    }
    std::printf("\nRelative to %s (%.1f ms real, %.1f ms CPU for %u samples):\n", kBaselineName,
                base->second.real, base->second.cpu, kSelection);
    std::printf("  %-45s %8s %8s\n", "", "real", "CPU");
    for (const auto& [name, t] : times_) {
      std::printf("  %-45s %7.2fx %7.2fx\n", name.c_str(), t.real / base->second.real,
                  t.cpu / base->second.cpu);
    }
  }

 private:
  struct Times {
    double real;
    double cpu;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Fixture::Get();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
