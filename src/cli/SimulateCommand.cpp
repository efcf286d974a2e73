#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/Arguments.h"
#include "cli/CommandIo.h"
#include "cli/ConsoleMessageBox.h"
#include "cli/OutputFiles.h"
#include "cli/TesselCommand.h"
#include "strata/device/OrganBathSimulator.h"
#include "strata/import/EdfWriter.h"
#include "strata/recording/ChartDocument.h"
#include "strata/storage/StrataFile.h"

namespace Cli {
namespace {

struct SimulateArgs {
  std::string out;
  std::uint64_t seed = 1;
  int runs = 2;
  int doses = 8;
  std::string format;
};

std::string FormatOf(const SimulateArgs& args) {
  if (!args.format.empty()) {
    return args.format;
  }
  return std::filesystem::path(args.out).extension() == ".strata" ? "strata" : "edf";
}

int Simulate(const SimulateArgs& args, CommandIo& io) {
  Strata::SimulatorSettings settings;
  settings.seed = args.seed;
  settings.runs = args.runs;
  settings.doses = args.doses;
  const Strata::Recording rec = Strata::OrganBathSimulator(settings).MakeRecording();
  OutputFiles files;
  std::string fault;
  // Set apart so that the document outlives the writing of the file.
  Tessel::Ref<Strata::ChartDocument> chart;
  if (FormatOf(args) == "strata") {
    // A chart document of the recording alone: Tessel state comes when it is analysed.
    auto host = Tessel::MakeRef<Strata::Host>(Tessel::MakeRef<ConsoleMessageBox>(io.err));
    chart = Tessel::MakeRef<Strata::ChartDocument>(host, rec);
    files.AddSelfWritten("OUT", args.out, [&chart](const std::string& path) {
      return Strata::StrataFile::Save(path, *chart, {});
    });
  } else {
    std::string bytes;
    if (fault = Strata::EdfPlusBytes(rec, &bytes); !fault.empty()) {
      fault = args.out + ": " + fault;
    }
    files.AddBytes("OUT", args.out, std::move(bytes));
  }
  if (fault.empty()) {
    fault = files.Check();
  }
  if (fault.empty()) {
    fault = files.Write(io.out);
  }
  if (chart) {
    chart->Close();
  }
  if (!fault.empty()) {
    io.err << "tessel simulate: " << fault << "\n";
    return kExitBadInput;
  }
  (files.UsesStandardOutput() ? io.err : io.out)
      << "Wrote " << (files.UsesStandardOutput() ? "standard output" : args.out) << ": "
      << args.runs << " runs of " << args.doses << " doses, " << rec.ChannelCount() << " channels, "
      << rec.BlockAt(0).Ticks() << " ticks at " << settings.sampleRate << " Hz\n";
  return kExitOk;
}

}  // namespace

void AddSimulateCommand(CLI::App& app, CommandIo& io) {
  auto args = std::make_shared<SimulateArgs>();
  auto* cmd = app.add_subcommand(
      "simulate", "Write a simulated organ-bath recording: a control run and antagonist runs");
  cmd->add_option("OUT", args->out, "The file to write (- for standard output, EDF+ only)")
      ->required();
  cmd->add_option("--seed", args->seed, "Seed of the noise; the same seed gives the same file")
      ->check(WholeNumberIn(0, 1LL << 62));
  cmd->add_option("--runs", args->runs, "Runs: a control, then antagonist runs (1 to 10)")
      ->check(WholeNumberIn(1, 10));
  cmd->add_option("--doses", args->doses, "Cumulative doses per run (1 to 12)")
      ->check(WholeNumberIn(1, 12));
  cmd->add_option("--format", args->format, "strata or edf (default: from OUT's extension)")
      ->check(OneOf({"strata", "edf"}));
  cmd->callback([&io, args] { io.status = Simulate(*args, io); });
}

}  // namespace Cli
