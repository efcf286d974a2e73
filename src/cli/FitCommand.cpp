#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandIo.h"
#include "cli/FitFailure.h"
#include "cli/JsonText.h"
#include "cli/OutputFiles.h"
#include "cli/TesselCommand.h"
#include "tessel/document/DocumentSettings.h"
#include "tessel/fit/FitRun.h"
#include "tessel/fit/FittedParamsData.h"
#include "tessel/support/Strings.h"

namespace Cli {
namespace {

struct FitOptions {
  std::string file;  // empty or "-": standard input
  bool fixHill = false;
  std::string title = "Run";
  bool json = false;
};

struct Pairs {
  std::vector<double> doses;
  std::vector<double> responses;
};

// The whole token as a finite decimal number, or nothing.
std::optional<double> ParseNumber(const std::string& token) {
  const char* first = token.data();
  const char* last = first + token.size();
  if (first != last && *first == '+') {
    ++first;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc{} || end != last || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string> SplitWhite(const std::string& text) {
  std::vector<std::string> tokens;
  std::istringstream in(text);
  std::string token;
  while (in >> token) {
    tokens.push_back(token);
  }
  return tokens;
}

// Reads "dose response" lines; on the first bad line writes the error and returns nothing.
std::optional<Pairs> ReadPairs(std::istream& in, const std::string& name, std::ostream& err) {
  Pairs pairs;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string text = line.substr(0, line.find('#'));
    const std::vector<std::string> tokens = SplitWhite(text);
    if (tokens.empty()) {
      continue;
    }
    const auto fail = [&](const std::string& fault) {
      err << "tessel fit: " << name << ", line " << number << ": " << fault << "\n";
      return std::nullopt;
    };
    if (tokens.size() != 2) {
      return fail("expected a dose and a response, found \"" + Kor::Trim(text) + "\"");
    }
    const std::optional<double> dose = ParseNumber(tokens[0]);
    if (!dose) {
      return fail("the dose \"" + tokens[0] + "\" is not a number");
    }
    if (!(*dose > 0.0)) {
      return fail("the dose " + tokens[0] + " is not positive");
    }
    const std::optional<double> response = ParseNumber(tokens[1]);
    if (!response) {
      return fail("the response \"" + tokens[1] + "\" is not a number");
    }
    pairs.doses.push_back(*dose);
    pairs.responses.push_back(*response);
  }
  return pairs;
}

// The table's text form: labels and the one run column, TAB-separated, one line each.
void WriteTable(const Tessel::FitResult& r, const std::string& title, std::ostream& out) {
  const Tessel::DocumentSettings settings;
  auto table = Tessel::MakeRef<Tessel::FittedParamsData>(settings);
  table->SetRunColumn(0, title, r);
  for (std::uint32_t row = 0; row < table->RowCount(); ++row) {
    out << table->CellText(row, 0) << '\t' << table->CellText(row, 1) << "\n";
  }
}

int RunFit(const FitOptions& options, CommandIo& io) {
  std::optional<Pairs> pairs;
  if (options.file.empty() || options.file == kStandardStream) {
    pairs = ReadPairs(io.in, "standard input", io.err);
  } else {
    if (const std::string fault = InputFault(options.file); !fault.empty()) {
      io.err << "tessel fit: " << fault << "\n";
      return kExitBadInput;
    }
    std::ifstream file(options.file);
    if (!file) {
      io.err << "tessel fit: " << options.file << ": the file cannot be opened\n";
      return kExitBadInput;
    }
    pairs = ReadPairs(file, options.file, io.err);
  }
  if (!pairs) {
    return kExitBadInput;
  }
  Tessel::FitResult result;
  Tessel::FitRun(pairs->doses, pairs->responses, options.fixHill, result);
  if (options.json) {
    io.out << FitJson(result, options.fixHill) << "\n";
  } else {
    WriteTable(result, options.title, io.out);
  }
  if (const std::string failure = FitFailure(result, options.fixHill); !failure.empty()) {
    io.err << "tessel fit: the fit failed: " << failure << "\n";
    return kExitNoRunFitted;
  }
  return kExitOk;
}

}  // namespace

void AddFitCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<FitOptions>();
  CLI::App* fit = app.add_subcommand(
      "fit",
      "Fit a sigmoid dose-response curve to dose and response pairs (one pair a line, '#' "
      "starts a comment) and print the fitted parameters");
  fit->footer(
      "A fit that fails (too few points, no convergence, statistics that cannot be computed) "
      "shows \"(FIT FAILED)\", says why on standard error and exits with status 1; with --json "
      "its values are null.\nExit status: 0 fitted, 1 the fit failed, 2 bad input.");
  fit->add_option("FILE", options->file, "The pairs; standard input when absent or -");
  fit->add_flag("--fix-hill", options->fixHill, "Fix the Hill slope at 1.0");
  fit->add_option("--title", options->title, "Title of the run's column (default Run)");
  fit->add_flag("--json", options->json, "Print one JSON object instead of the table");
  fit->callback([&io, options] { io.status = RunFit(*options, io); });
}

}  // namespace Cli
