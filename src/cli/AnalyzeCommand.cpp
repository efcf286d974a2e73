#include <CLI/CLI.hpp>
#include <charconv>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>

#include "cli/Arguments.h"
#include "cli/CommandIo.h"
#include "cli/DocumentSession.h"
#include "cli/FitFailure.h"
#include "cli/InputFile.h"
#include "cli/JsonText.h"
#include "cli/OutputFiles.h"
#include "cli/SelectionArgs.h"
#include "cli/TableFiles.h"
#include "cli/TesselCommand.h"
#include "tessel/export/FittedParamsText.h"
#include "tessel/export/MatrixCells.h"
#include "tessel/fit/RunFits.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/measure/CalcType.h"

namespace Cli {
namespace {

using nlohmann::ordered_json;
using Tessel::TickPosition;

// The window in which each dose's response is measured, in seconds after its comment: the
// desktop's defaults, which suit a fast response and rarely an organ bath.
constexpr double kDefaultStart = 1.0;
constexpr double kDefaultStop = 5.0;

struct AnalyzeArgs {
  std::string input;
  std::string channel = "any";
  std::string from;
  std::string to;
  double start = kDefaultStart;
  double stop = kDefaultStop;
  std::string method = "average";
  bool perDoseBaseline = false;
  bool fixHill = false;
  int sigFigs = 4;
  bool scientific = false;
  TableFiles files;
  std::string save;
  bool json = false;
};

const std::pair<const char*, std::int32_t> kMethods[] = {
    {"average", 0}, {"maximum", 1}, {"minimum", 2}, {"max-min", 3}, {"integral", 4}};

constexpr const char* kDoseCommentHelp =
    "Dose comments: a comment whose text contains \"TSL: <\" (in any case) marks a dose. The "
    "first positive number after it is the dose and the first other word the run's label, "
    "written \"TSL: <dose> <run label>\": \"TSL: <0.1> <Control>\" is the dose 0.1 of the run "
    "Control. A label is one word ('<', '>', ';' and '_' separate words). A comment on all "
    "channels counts for every channel. In a delimited-text recording, a column headed "
    "\"Comment\" holds the comments:\n"
    "  Time [s],Tension [mN],Comment\n"
    "  0,1.02,\n"
    "  0.05,1.03,TSL: <0.1> <Control>\n"
    "The response to each dose is measured from --start to --stop seconds after its comment "
    "(default 1 to 5 s): set the window where the tissue's response has settled, for example "
    "--start 90 --stop 118 for data/organ-bath.edf.\n"
    "Channels and blocks are counted from 1. A failed fit says why on standard error.\n"
    "Exit status: 0 fitted, 1 nothing was measured or no run could be fitted, 2 an argument or "
    "a file was refused.";

std::string Number(double v) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

// A channel that responses were measured on, as the chart shows it.
struct MeasuredChannel {
  std::int32_t index = 0;
  std::string title;
  std::string units;
};

std::vector<MeasuredChannel> MeasuredChannels(DocumentSession& s) {
  const Tessel::TableViewMatrix& m = s.Doc().Matrix();
  const Strata::Recording& rec = s.Chart().Data();
  std::set<std::int32_t> seen;
  std::vector<MeasuredChannel> channels;
  for (std::uint32_t c = Tessel::kFirstRunColumn; c < m.ColumnCount(); ++c) {
    for (std::uint32_t r = Tessel::kFirstDoseRow; r < m.RowCount(); ++r) {
      const Tessel::TableViewElem& cell = m.Cell(r, c);
      if (!cell.responseAdded || cell.channel < 0 || cell.channel >= rec.ChannelCount() ||
          !seen.insert(cell.channel).second) {
        continue;
      }
      const auto block = static_cast<std::int32_t>(cell.start.Block());
      const auto& units = rec.BlockAt(block < rec.BlockCount() ? block : 0).units;
      const auto at = static_cast<size_t>(cell.channel);
      channels.push_back({cell.channel, rec.ChannelAt(cell.channel).title,
                          at < units.size() ? units[at] : std::string()});
    }
  }
  return channels;
}

// What was measured, for a reader of the table: the channels, the window and the method.
std::string MeasuredText(const AnalyzeArgs& a, DocumentSession& s) {
  std::string text;
  for (const MeasuredChannel& c : MeasuredChannels(s)) {
    text += "Channel " + std::to_string(c.index + 1) + ": " + c.title +
            (c.units.empty() ? "" : " (" + c.units + ")") + "\n";
  }
  text += "Window: " + Number(a.start) + " to " + Number(a.stop) +
          " s after each dose comment\nMethod: " + a.method +
          (a.perDoseBaseline ? ", per-dose baseline correction" : "") + "\n";
  return text;
}

ordered_json MeasuredJson(const AnalyzeArgs& a, DocumentSession& s) {
  ordered_json channels = ordered_json::array();
  for (const MeasuredChannel& c : MeasuredChannels(s)) {
    channels.push_back({{"channel", c.index + 1}, {"title", c.title}, {"units", c.units}});
  }
  return {{"channels", channels},
          {"start", a.start},
          {"stop", a.stop},
          {"method", a.method},
          {"perDoseBaseline", a.perDoseBaseline}};
}

void ApplySettings(const AnalyzeArgs& a, std::int32_t channel, Tessel::DocumentSettings& s) {
  s.autoChannel = channel;
  s.startOffset = a.start;
  s.stopOffset = a.stop;
  for (const auto& [name, type] : kMethods) {
    if (a.method == name) {
      s.calcType = type;
      s.calcName = Tessel::CalcTypeName(type);
    }
  }
  s.perDoseBaseline = a.perDoseBaseline;
  s.fixHill = a.fixHill;
  s.sigFigs = a.sigFigs;
  s.scientific = a.scientific;
}

ordered_json GridJson(const Tessel::TableViewMatrix& m) {
  ordered_json grid = ordered_json::array();
  for (std::uint32_t r = 0; r < m.RowCount(); ++r) {
    ordered_json row = ordered_json::array();
    for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
      row.push_back(m.Cell(r, c).text);
    }
    grid.push_back(std::move(row));
  }
  return grid;
}

// The table's own numbering: a run column by its letter, a dose row by its row number.
ordered_json ColumnJson(std::int32_t column) {
  return Tessel::TableViewMatrix::ColumnLetter(static_cast<std::uint32_t>(column));
}

// A run's channel from 1, "all" for a run whose comments are on every channel, null for none.
ordered_json ChannelJson(const std::string& cellText) {
  int channel = -1;
  const auto [end, ec] =
      std::from_chars(cellText.data(), cellText.data() + cellText.size(), channel);
  if (ec != std::errc() || end != cellText.data() + cellText.size() || channel == -1) {
    return nullptr;
  }
  return channel == Tessel::kAnyChannel ? ordered_json("all") : ordered_json(channel + 1);
}

std::string AnalysisJson(const AnalyzeArgs& a, DocumentSession& s,
                         const std::vector<Tessel::RunFit>& fits) {
  ordered_json runs = ordered_json::array();
  for (size_t i = 0; i < fits.size(); ++i) {
    const Tessel::RunFit& f = fits[i];
    ordered_json points = ordered_json::array();
    for (size_t p = 0; p < f.points.doses.size(); ++p) {
      points.push_back(
          {{"dose", f.points.doses[p]},
           {"response", f.points.responses[p]},
           {"row", f.points.rows[p] - static_cast<std::int32_t>(Tessel::kFirstDoseRow) + 1},
           {"column", ColumnJson(f.points.columns[p])}});
    }
    runs.push_back({{"column", ColumnJson(static_cast<std::int32_t>(f.column))},
                    {"label", f.label},
                    {"channel", ChannelJson(f.channel)},
                    {"points", points},
                    {"fit", "@@fit" + std::to_string(i) + "@@"}});
  }
  ordered_json root = {{"measured", MeasuredJson(a, s)},
                       {"settings", SettingsJson(s.Doc().Settings())},
                       {"messages", s.Messages().Texts()},
                       {"grid", GridJson(s.Doc().Matrix())},
                       {"runs", runs}};
  std::string text = root.dump();
  for (size_t i = 0; i < fits.size(); ++i) {
    text = Splice(std::move(text), "@@fit" + std::to_string(i) + "@@",
                  FitJson(fits[i].result, a.fixHill));
  }
  return text + "\n";
}

// Says why each failed fit failed; true when at least one run was fitted.
bool ReportFits(const std::vector<Tessel::RunFit>& fits, bool fixHill, std::ostream& err) {
  bool any = false;
  for (const Tessel::RunFit& f : fits) {
    const std::string failure = FitFailure(f.result, fixHill);
    if (failure.empty()) {
      any = true;
    } else {
      err << "tessel analyze: run " << Tessel::TableViewMatrix::ColumnLetter(f.column) << " ("
          << f.label << "): the fit failed: " << failure << "\n";
    }
  }
  return any;
}

// The outputs asked for, checked before anything is read or written.
std::string CheckOutputs(const AnalyzeArgs& a) {
  OutputFiles plan;
  plan.AddInput(a.input);
  a.files.PlanTo(plan);
  if (!a.save.empty()) {
    plan.AddSelfWritten("--save", a.save, [](const std::string&) { return std::string(); });
  }
  if (a.json && plan.UsesStandardOutput()) {
    return "--json: the JSON and an output named - cannot both go to standard output";
  }
  return plan.Check();
}

std::string NothingMeasured(const std::string& input, const Tessel::AutoAnalysisReport& r) {
  std::string text = input + ": no response was measured (" + std::to_string(r.found) +
                     " dose comments found in the selection";
  if (r.found == 0) {
    text +=
        "; a dose comment reads \"TSL: <dose> <run label>\", for example \"TSL: <0.1> "
        "<Control>\": see tessel analyze --help";
  }
  return text + ")";
}

int RunAnalyze(const AnalyzeArgs& a, CommandIo& io) {
  if (const std::string fault = CheckOutputs(a); !fault.empty()) {
    io.err << "tessel analyze: " << fault << "\n";
    return kExitBadInput;
  }
  const InputFile input(a.input, io.in);
  if (!input.Fault().empty()) {
    io.err << "tessel analyze: " << input.Fault() << "\n";
    return kExitBadInput;
  }
  const std::string name = a.input == kStandardStream ? "standard input" : a.input;
  std::string error;
  std::unique_ptr<DocumentSession> s = DocumentSession::Open(input.Path(), io.err, a.json, &error);
  if (!s) {
    io.err << "tessel analyze: " << input.Mention(error) << "\n";
    return kExitBadInput;
  }
  const Strata::Recording& rec = s->Chart().Data();
  if (rec.BlockCount() == 0 || !rec.HasData()) {
    io.err << "tessel analyze: " << name << ": the recording holds no samples\n";
    return kExitBadInput;
  }
  const auto channel = ParseChannel(s->ChannelTitles(), a.channel);
  if (!channel) {
    io.err << "tessel analyze: " << name << ": there is no channel \"" << a.channel
           << "\" (channels are counted from 1 to " << rec.ChannelCount()
           << ", or named by their titles)\n";
    return kExitBadInput;
  }
  std::string fault;
  const auto from = a.from.empty() ? TickPosition(0, 0) : ParsePlace(rec, a.from, false, &fault);
  const std::int32_t last = rec.BlockCount() - 1;
  const auto to = a.to.empty()
                      ? TickPosition(static_cast<std::uint32_t>(last), rec.BlockAt(last).Ticks())
                      : ParsePlace(rec, a.to, true, &fault);
  if (!from || !to || !(*from < *to)) {
    io.err << "tessel analyze: "
           << (fault.empty() ? "the selection must end after it starts" : fault) << "\n";
    return kExitBadInput;
  }
  ApplySettings(a, *channel, s->Doc().Settings());
  const std::int32_t selectionChannel = *channel >= 0 ? *channel : 0;
  s->Chart().Select(selectionChannel, *from, *to);
  const Tessel::AutoAnalysisReport report =
      Tessel::AutoAnalyzer(s->Doc()).Run({selectionChannel, *from, *to, false});
  if (report.measured == 0) {
    io.err << "tessel analyze: " << NothingMeasured(name, report) << "\n";
    return kExitNothingMeasured;
  }
  const std::vector<Tessel::RunFit> fits =
      Tessel::FitAllRuns(s->Doc().Matrix(), s->Doc().Settings().fixHill);
  const std::string paramsText = Tessel::FittedParamsText(fits, s->Doc().Settings());
  OutputFiles files;
  files.AddInput(input.Path());
  a.files.AddTo(files, Tessel::MatrixCells(s->Doc().Matrix(), s->ChannelTitles()), paramsText);
  if (!a.save.empty()) {
    files.AddSelfWritten("--save", a.save, [&s](const std::string& path) { return s->Save(path); });
  }
  if (fault = files.Check(); fault.empty()) {
    fault = files.Write(io.out);
  }
  if (!fault.empty()) {
    io.err << "tessel analyze: " << fault << "\n";
    return kExitBadInput;
  }
  const bool fitted = ReportFits(fits, a.fixHill, io.err);
  if (files.UsesStandardOutput()) {
    io.err << MeasuredText(a, *s);
  } else if (a.json) {
    io.out << AnalysisJson(a, *s, fits);
  } else {
    io.out << MeasuredText(a, *s) << "\n" << LfLines(paramsText);
  }
  return fitted ? kExitOk : kExitNoRunFitted;
}

}  // namespace

void AddAnalyzeCommand(CLI::App& app, CommandIo& io) {
  auto a = std::make_shared<AnalyzeArgs>();
  CLI::App* cmd = app.add_subcommand(
      "analyze",
      "Measure the response after every dose comment of a recording, fit every run and print "
      "what was measured and the fitted parameters");
  cmd->add_option("INPUT", a->input,
                  "A recording (EDF, EDF+, BDF, BDF+, delimited text), a .strata document, or - "
                  "for standard input")
      ->required();
  cmd->add_option("--channel", a->channel,
                  "Channel of the dose comments: a number from 1, a title, or any (default)");
  cmd->add_option("--from", a->from,
                  "Selection start: seconds, or B:T for T s into block B (from 1); default the "
                  "recording's start");
  cmd->add_option("--to", a->to, "Selection end, as --from; default the recording's end");
  cmd->add_option("--start", a->start, "Window start, seconds after each dose comment (default 1)")
      ->check(NumberIn(-3600.0, 3600.0));
  cmd->add_option("--stop", a->stop, "Window stop, seconds after each dose comment (default 5)")
      ->check(NumberIn(-3600.0, 3600.0));
  cmd->add_option("--method", a->method,
                  "How a window becomes one response: average (default), maximum, minimum, "
                  "max-min, integral")
      ->check(OneOf({"average", "maximum", "minimum", "max-min", "integral"}));
  cmd->add_flag("--per-dose-baseline", a->perDoseBaseline, "Per-dose baseline correction");
  cmd->add_flag("--fix-hill", a->fixHill, "Fix the Hill slope at 1.0");
  cmd->add_option("--sig-figs", a->sigFigs,
                  "Significant figures of the table's numbers, which are also what the fit reads "
                  "(1 to 10, default 4)")
      ->check(WholeNumberIn(1, 10));
  cmd->add_flag("--scientific", a->scientific, "Scientific notation for numbers");
  cmd->add_option("--xml", a->files.xml,
                  "Write the table as a Prism XML file (- for standard "
                  "output)");
  cmd->add_option("--text", a->files.text,
                  "Write the table as a text file: TAB-separated, ISO 8859-1, CR LF");
  cmd->add_option("--params", a->files.params,
                  "Write the fitted parameters as a text file: TAB-separated, CR LF");
  cmd->add_option("--save", a->save, "Save the recording with its table as a .strata document");
  cmd->add_flag("--json", a->json, "Print one JSON object instead of the table");
  cmd->footer(kDoseCommentHelp);
  cmd->callback([&io, a] {
    if (!(a->stop > a->start)) {
      io.err << "tessel analyze: The stop time must be after the start time.\n";
      io.status = kExitBadInput;
      return;
    }
    io.status = RunAnalyze(*a, io);
  });
}

}  // namespace Cli
