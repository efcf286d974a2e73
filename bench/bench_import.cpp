// Import of a one-hour, 8-channel, 1 kHz EDF+ recording with 500 annotations.
//
//   bench_import                 times the import (Google Benchmark, several runs, min/median)
//   bench_import --make FILE     writes the recording
//   bench_import --rss FILE      imports it once in a fresh process and prints the peak RSS
//
// bench/compare_import.sh runs these beside MNE's EDF reader on the same file.
#include <benchmark/benchmark.h>
#include <edflib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "strata/import/RecordingImporter.h"

namespace {

constexpr int kChannels = 8;
constexpr int kRate = 1000;
constexpr int kSeconds = 3600;
constexpr int kAnnotations = 500;

std::string BenchFile() {
  const char* env = std::getenv("TESSEL_BENCH_EDF");
  return env != nullptr ? env : "/tmp/tessel-bench-1h.edf";
}

// Streams the recording record by record, so that writing it needs little memory.
int MakeFile(const std::string& path) {
  const int h = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, kChannels);
  if (h < 0) {
    std::fprintf(stderr, "bench_import: %s: cannot create (EDFlib %d)\n", path.c_str(), h);
    return 2;
  }
  edf_set_startdatetime(h, 2026, 1, 5, 9, 0, 0);
  for (int c = 0; c < kChannels; ++c) {
    edf_set_samplefrequency(h, c, kRate);
    edf_set_physical_maximum(h, c, 50.0);
    edf_set_physical_minimum(h, c, -50.0);
    edf_set_digital_maximum(h, c, 32767);
    edf_set_digital_minimum(h, c, -32768);
    edf_set_label(h, c, ("Tension " + std::to_string(c + 1)).c_str());
    edf_set_physical_dimension(h, c, "mN");
  }
  std::vector<double> buffer(kRate);
  for (int s = 0; s < kSeconds; ++s) {
    for (int c = 0; c < kChannels; ++c) {
      for (int i = 0; i < kRate; ++i) {
        const double t = s + i / static_cast<double>(kRate);
        buffer[static_cast<std::size_t>(i)] =
            20.0 * std::sin(2 * M_PI * (0.1 + c) * t) + 5.0 * std::sin(2 * M_PI * 37.0 * t);
      }
      edfwrite_physical_samples(h, buffer.data());
    }
  }
  for (int a = 0; a < kAnnotations; ++a) {
    const long long onset = static_cast<long long>(a) * kSeconds * 10000 / kAnnotations + 1234;
    const std::string text =
        "TSL: <" + std::to_string(a % 10 + 1) + "> <Run" + std::to_string(a / 10) + ">";
    edfwrite_annotation_utf8(h, onset, -1, text.c_str());
  }
  return edfclose_file(h) == 0 ? 0 : 2;
}

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

int MeasureRss(const std::string& path) {
  const double before = PeakRssMb();
  const Strata::ImportResult r = Strata::ImportRecording(path);
  if (!r.ok) {
    std::fprintf(stderr, "bench_import: %s\n", r.error.c_str());
    return 2;
  }
  const double floats = static_cast<double>(r.recording.TotalSamples()) * 4 / (1024.0 * 1024.0);
  std::printf("peak_rss_mb %.1f\nrss_before_import_mb %.1f\nsamples_as_float32_mb %.1f\n",
              PeakRssMb(), before, floats);
  return 0;
}

void BM_ImportEdfPlusHour(benchmark::State& state) {
  const std::string path = BenchFile();
  if (!std::filesystem::exists(path) && MakeFile(path) != 0) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  std::size_t comments = 0;
  for (auto _ : state) {
    const Strata::ImportResult r = Strata::ImportRecording(path);
    if (!r.ok) {
      state.SkipWithError(r.error.c_str());
      return;
    }
    comments = r.recording.Comments().size();
    benchmark::DoNotOptimize(r.recording.BlockAt(0).samples[0].data());
  }
  state.counters["comments"] = static_cast<double>(comments);
}
BENCHMARK(BM_ImportEdfPlusHour)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                          return *std::min_element(v.begin(), v.end());
                        })
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--make") == 0) {
    return MakeFile(argv[2]);
  }
  if (argc == 3 && std::strcmp(argv[1], "--rss") == 0) {
    return MeasureRss(argv[2]);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
