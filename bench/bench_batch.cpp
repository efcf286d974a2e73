// Batch analysis at the scale of a day's recording: auto-analysis of a 24-hour, four-channel,
// 1 kHz recording with 500, 1,000 and 2,000 dose comments, and the Prism XML and text exports of
// the table it produces. Beside them, in the same run:
//  - WindowsOnly/N measures the same N response windows straight from the host's samples, with
//    no table work: the floor the auto-analysis cannot go below;
//  - XmlRuns/K and TextRuns/K export tables of K runs (10 to 2,000), where the text export is
//    the linear baseline of the XML export (which looks through every run for the repeats of
//    each label).
//
// The lab the recording stands for: four organ baths (one per channel), cumulative
// concentration-response runs of eight half-log doses (0.001 to 3), ten compounds taken in turn
// and each run on the next bath, so N comments give N/8 run columns and each compound comes back
// as a repeat of its label every tenth run.
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/TestRecording.h"
#include "tessel/document/NumberText.h"
#include "tessel/export/MatrixCells.h"
#include "tessel/export/PrismXmlWriter.h"
#include "tessel/export/TableTextWriter.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/measure/DoseCommentEntry.h"

namespace {

using Tessel::TickPosition;

constexpr double kInterval = 0.001;
constexpr std::uint32_t kTicks = 24u * 3600u * 1000u;
constexpr std::int32_t kChannels = 4;
constexpr std::uint32_t kDosesPerRun = 8;
const char* const kDoses[kDosesPerRun] = {"0.001", "0.003", "0.01", "0.03", "0.1", "0.3", "1", "3"};
const char* const kCompounds[] = {"Carbachol",  "Acetylcholine", "Histamine",     "Serotonin",
                                  "Bradykinin", "Phenylephrine", "Noradrenaline", "Isoprenaline",
                                  "Oxytocin",   "Angiotensin"};
constexpr std::uint32_t kCompoundCount = sizeof(kCompounds) / sizeof(kCompounds[0]);

// Comment k of n: run k / 8 on bath run % 4, compound run % 10, the (k % 8)-th dose; the
// comments are spread evenly over the day, half a spacing in from either end. With paired
// tissues every run has a label of its own shared only with the next run (each tissue tested
// twice), the layout where the XML export's matching of repeats costs the most: runs / 2 labels
// each looked for in every column.
Tessel::CommentInfo PlannedComment(std::uint32_t k, std::uint32_t n, bool pairedTissues = false) {
  const std::uint32_t run = k / kDosesPerRun;
  const std::uint64_t spacing = kTicks / n;
  Tessel::CommentInfo c;
  c.id = k + 1;
  c.channel = static_cast<std::int32_t>(run % kChannels);
  c.position = TickPosition(0, static_cast<std::uint32_t>(spacing * k + spacing / 2));
  const std::string label = pairedTissues ? "Tissue" + std::to_string(run / 2 + 1)
                                          : std::string(kCompounds[run % kCompoundCount]);
  c.text = Tessel::FormatDoseComment(kDoses[k % kDosesPerRun], label);
  return c;
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

// The day-long recording, built once (1.4 GB of samples), with the comments of the benchmark
// being run.
class Fixture {
 public:
  static Fixture& Get() {
    static Fixture fixture;
    return fixture;
  }
  Testing::TestChart& Chart() { return *chart_; }

  // Replaces the recording's comments with n planned ones.
  void PlaceComments(std::uint32_t n) {
    if (n == placed_) {
      return;
    }
    Strata::Recording& r = chart_->Chart().Data();
    std::vector<std::int64_t> ids;
    for (const Strata::Comment& c : r.Comments()) {
      ids.push_back(c.id);
    }
    for (std::int64_t id : ids) {
      r.DeleteComment(id);
    }
    for (std::uint32_t k = 0; k < n; ++k) {
      const Tessel::CommentInfo c = PlannedComment(k, n);
      r.AddComment(c.channel, c.position, c.text);
    }
    placed_ = n;
  }

  // The chart's Tessel Document closed and a new, empty one attached, as when the file is
  // opened again.
  Tessel::Document& FreshDocument() {
    chart_->Chart().Close();
    return chart_->AttachTessel();
  }

  static Tessel::ChartSelection WholeDay() {
    return {0, TickPosition(0, 0), TickPosition(0, kTicks - 1), false};
  }

  std::vector<std::string> ChannelTitles() const {
    std::vector<std::string> titles;
    for (const auto& c : chart_->Chart().Data().Channels()) {
      titles.push_back(c.title);
    }
    return titles;
  }

 private:
  Fixture() {
    Strata::Recording r;
    for (std::int32_t c = 0; c < kChannels; ++c) {
      r.AddChannel("Bath " + std::to_string(c + 1));
    }
    r.AddBlock(kInterval, kTicks);
    // A slow sawtooth per bath: cheap to fill, and every window holds changing samples.
    for (std::int32_t c = 0; c < kChannels; ++c) {
      auto& s = r.BlockAt(0).samples[static_cast<size_t>(c)];
      const float base = 1.0f + static_cast<float>(c);
      for (std::uint32_t i = 0; i < kTicks; ++i) {
        s[i] = base + 0.0005f * static_cast<float>(i % 8000);
      }
    }
    chart_ = std::make_unique<Testing::TestChart>(std::move(r));
  }

  std::unique_ptr<Testing::TestChart> chart_;
  std::uint32_t placed_ = 0;
};

void AutoAnalyze(benchmark::State& state) {
  const auto n = static_cast<std::uint32_t>(state.range(0));
  Fixture& f = Fixture::Get();
  f.PlaceComments(n);
  Tessel::AutoAnalysisReport report;
  std::uint32_t columns = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Tessel::Document& doc = f.FreshDocument();
    state.ResumeTiming();
    report = Tessel::AutoAnalyzer(doc).Run(Fixture::WholeDay());
    columns = doc.Matrix().ColumnCount() - Tessel::kFirstRunColumn;
  }
  if (report.measured != static_cast<std::int32_t>(n) || !report.messages.empty()) {
    state.SkipWithError("not every comment was measured");
  }
  state.counters["per_comment"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["runs"] = columns;
}

// The same windows measured on one cell, one after the other: the sample reading and response
// arithmetic that any auto-analysis has to do.
void WindowsOnly(benchmark::State& state) {
  const auto n = static_cast<std::uint32_t>(state.range(0));
  Fixture& f = Fixture::Get();
  Tessel::Document& doc = f.FreshDocument();
  Tessel::TableViewElem& cell = doc.Matrix().Cell(Tessel::kFirstDoseRow, Tessel::kFirstRunColumn);
  std::vector<Tessel::CommentInfo> plan;
  for (std::uint32_t k = 0; k < n; ++k) {
    plan.push_back(PlannedComment(k, n));
  }
  const auto start = static_cast<std::uint32_t>(doc.Settings().startOffset / kInterval);
  const auto stop = static_cast<std::uint32_t>(doc.Settings().stopOffset / kInterval);
  for (auto _ : state) {
    for (const Tessel::CommentInfo& c : plan) {
      cell.channel = c.channel;
      cell.dosePosition = c.position;
      cell.start = TickPosition(0, c.position.Tick() + start);
      cell.end = TickPosition(0, c.position.Tick() + stop);
      cell.responseAdded = true;
      benchmark::DoNotOptimize(
          doc.CalculateResponse(Tessel::kFirstRunColumn, Tessel::kFirstDoseRow));
    }
  }
  state.counters["per_comment"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The exports of the table that the auto-analysis of n comments left.
template <bool kXml>
void ExportAnalyzed(benchmark::State& state) {
  const auto n = static_cast<std::uint32_t>(state.range(0));
  Fixture& f = Fixture::Get();
  f.PlaceComments(n);
  Tessel::Document& doc = f.FreshDocument();
  Tessel::AutoAnalyzer(doc).Run(Fixture::WholeDay());
  const Tessel::MatrixCells cells(doc.Matrix(), f.ChannelTitles());
  const std::string path = TempPath(kXml ? "bench_batch.xml" : "bench_batch.txt");
  for (auto _ : state) {
    const bool written =
        kXml ? Tessel::WritePrismXml(cells, path)
             : Tessel::WriteTableText(cells, path, Tessel::kProgressExportingTableView,
                                      &f.Chart().Host().Progress());
    if (!written) {
      state.SkipWithError("cannot write the export");
      break;
    }
  }
  state.counters["runs"] = doc.Matrix().ColumnCount() - Tessel::kFirstRunColumn;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  state.counters["replicates"] = Tessel::PrismXmlWriter(cells).ReplicateCount();
  std::filesystem::remove(path);
}

// A table of k runs as the auto-analysis of 8k comments enters it, with measured responses,
// on a chart of its own (no samples needed: the responses are written in).
Testing::TestChart& TableOfRuns(std::uint32_t k, bool pairedTissues) {
  static std::map<std::pair<std::uint32_t, bool>, std::unique_ptr<Testing::TestChart>> tables;
  auto& chart = tables[{k, pairedTissues}];
  if (!chart) {
    chart = std::make_unique<Testing::TestChart>();
    Tessel::Document& doc = chart->Doc();
    Tessel::DoseCommentEntry entry(doc);
    const std::uint32_t n = k * kDosesPerRun;
    for (std::uint32_t i = 0; i < n; ++i) {
      if (const auto cell = entry.FindOrEnter(PlannedComment(i, n, pairedTissues))) {
        Tessel::TableViewElem& e = doc.Matrix().Cell(cell->row, cell->column);
        e.response = 10.0 + 0.37 * i;
        e.responseAdded = true;
        e.text = Tessel::FormatNumber(e.response, 4, false);
      }
    }
  }
  return *chart;
}

template <bool kXml>
void ExportRuns(benchmark::State& state) {
  const auto k = static_cast<std::uint32_t>(state.range(0));
  Testing::TestChart& chart = TableOfRuns(k, state.range(1) != 0);
  const Tessel::MatrixCells cells(chart.Doc().Matrix(), {"Bath 1", "Bath 2", "Bath 3", "Bath 4"});
  const std::string path = TempPath(kXml ? "bench_batch_runs.xml" : "bench_batch_runs.txt");
  for (auto _ : state) {
    const bool written =
        kXml ? Tessel::WritePrismXml(cells, path)
             : Tessel::WriteTableText(cells, path, Tessel::kProgressExportingTableView,
                                      &chart.Host().Progress());
    if (!written) {
      state.SkipWithError("cannot write the export");
      break;
    }
  }
  state.counters["runs"] = chart.Doc().Matrix().ColumnCount() - Tessel::kFirstRunColumn;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  state.counters["replicates"] = Tessel::PrismXmlWriter(cells).ReplicateCount();
  std::filesystem::remove(path);
}

const std::vector<std::int64_t> kCommentCounts = {500, 1000, 2000};

BENCHMARK(WindowsOnly)
    ->ArgName("comments")
    ->ArgsProduct({kCommentCounts})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(AutoAnalyze)
    ->ArgName("comments")
    ->ArgsProduct({kCommentCounts})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(ExportAnalyzed, true)
    ->Name("XmlAnalyzed")
    ->ArgName("comments")
    ->ArgsProduct({kCommentCounts})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(ExportAnalyzed, false)
    ->Name("TextAnalyzed")
    ->ArgName("comments")
    ->ArgsProduct({kCommentCounts})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(ExportRuns, true)
    ->Name("XmlRuns")
    ->ArgNames({"runs", "paired"})
    ->ArgsProduct({{10, 100, 1000, 2000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(ExportRuns, false)
    ->Name("TextRuns")
    ->ArgNames({"runs", "paired"})
    ->ArgsProduct({{10, 100, 1000, 2000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Prints, after the run, the ratios the figures are read by: time per comment against 500
// comments and against the windows-only floor, and the XML export against the text export.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions the median stands for the benchmark; otherwise its one run does.
    const std::string median = "_median";
    for (const Run& run : runs) {
      std::string name = run.benchmark_name();
      if (run.error_occurred) {
        continue;
      }
      if (run.run_type == Run::RT_Iteration && medians_.count(name) == 0) {
        ms_[name] = run.GetAdjustedRealTime();
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        name = name.substr(0, name.size() - median.size());
        medians_.insert(name);
        ms_[name] = run.GetAdjustedRealTime();
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-10s %12s %16s %14s %14s\n", "comments", "total ms", "us per comment", "vs 500",
                "vs windows");
    const double first = PerComment("AutoAnalyze", 500);
    for (std::int64_t n : kCommentCounts) {
      const double per = PerComment("AutoAnalyze", n);
      const double floor = PerComment("WindowsOnly", n);
      std::printf("%-10lld %12.1f %16.2f %13.2fx %13.2fx\n", static_cast<long long>(n),
                  Ms("AutoAnalyze/comments:" + std::to_string(n)), per,
                  first > 0 ? per / first : 0.0, floor > 0 ? per / floor : 0.0);
    }
    for (const char* paired : {"0", "1"}) {
      std::printf("\n%-10s %12s %12s %12s   (%s)\n", "runs", "XML ms", "text ms", "XML/text",
                  paired[0] == '1' ? "paired tissues" : "ten compounds");
      for (std::int64_t k : {10, 100, 1000, 2000}) {
        const std::string suffix = std::to_string(k) + "/paired:" + paired;
        const double xml = Ms("XmlRuns/runs:" + suffix);
        const double text = Ms("TextRuns/runs:" + suffix);
        std::printf("%-10lld %12.3f %12.3f %11.1fx\n", static_cast<long long>(k), xml, text,
                    text > 0 ? xml / text : 0.0);
      }
    }
  }

 private:
  double Ms(const std::string& name) const {
    const auto it = ms_.find(name + "/real_time");
    return it == ms_.end() ? 0.0 : it->second;
  }
  double PerComment(const std::string& name, std::int64_t n) const {
    return Ms(name + "/comments:" + std::to_string(n)) * 1000.0 / static_cast<double>(n);
  }
  std::map<std::string, double> ms_;
  std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
