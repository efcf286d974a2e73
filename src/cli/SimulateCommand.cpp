#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/ConsoleMessageBox.h"
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

}  // namespace

void AddSimulateCommand(CLI::App& app, CommandIo& io) {
  auto args = std::make_shared<SimulateArgs>();
  auto* cmd = app.add_subcommand(
      "simulate", "Write a simulated organ-bath recording: a control run and antagonist runs");
  cmd->add_option("OUT", args->out, "The file to write")->required();
  cmd->add_option("--seed", args->seed, "Seed of the noise; the same seed gives the same file");
  cmd->add_option("--runs", args->runs, "Runs: a control, then antagonist runs")
      ->check(CLI::Range(1, 10));
  cmd->add_option("--doses", args->doses, "Cumulative doses per run")->check(CLI::Range(1, 12));
  cmd->add_option("--format", args->format, "strata or edf (default: from OUT's extension)")
      ->check(CLI::IsMember({"strata", "edf"}));
  cmd->callback([&io, args] {
    Strata::SimulatorSettings settings;
    settings.seed = args->seed;
    settings.runs = args->runs;
    settings.doses = args->doses;
    Strata::OrganBathSimulator simulator(settings);
    const Strata::Recording rec = simulator.MakeRecording();
    if (FormatOf(*args) == "strata") {
      // A chart document of the recording alone: Tessel state comes when it is analysed.
      auto host = Tessel::MakeRef<Strata::Host>(Tessel::MakeRef<ConsoleMessageBox>(io.err));
      auto chart = Tessel::MakeRef<Strata::ChartDocument>(host, rec);
      const std::string fault = Strata::StrataFile::Save(args->out, *chart, {});
      chart->Close();
      if (!fault.empty()) {
        io.err << "tessel simulate: " << fault << "\n";
        io.status = kExitBadInput;
        return;
      }
    } else if (const std::string fault = Strata::WriteEdfPlus(rec, args->out); !fault.empty()) {
      io.err << "tessel simulate: " << args->out << ": " << fault << "\n";
      io.status = kExitBadInput;
      return;
    }
    io.out << "Wrote " << args->out << ": " << args->runs << " runs of " << args->doses
           << " doses, " << rec.ChannelCount() << " channels, " << rec.BlockAt(0).Ticks()
           << " ticks at " << settings.sampleRate << " Hz\n";
    io.status = kExitOk;
  });
}

}  // namespace Cli
