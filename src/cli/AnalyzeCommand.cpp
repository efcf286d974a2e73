#include <CLI/CLI.hpp>
#include <cmath>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/DocumentSession.h"
#include "cli/JsonText.h"
#include "cli/TesselCommand.h"
#include "tessel/export/FittedParamsText.h"
#include "tessel/export/MatrixCells.h"
#include "tessel/export/PrismXmlWriter.h"
#include "tessel/export/TableTextWriter.h"
#include "tessel/fit/FittedParamsData.h"
#include "tessel/fit/RunFits.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/measure/CalcType.h"
#include "tessel/support/Strings.h"

namespace Cli {
namespace {

using nlohmann::ordered_json;
using Tessel::TickPosition;

struct AnalyzeArgs {
  std::string input;
  std::string channel = "any";
  std::string from;
  std::string to;
  double start = 1.0;
  double stop = 5.0;
  std::string method = "average";
  bool perDoseBaseline = false;
  bool fixHill = false;
  int sigFigs = 4;
  bool scientific = false;
  std::string xml;
  std::string text;
  std::string params;
  std::string save;
  bool json = false;
};

const std::pair<const char*, std::int32_t> kMethods[] = {
    {"average", 0}, {"maximum", 1}, {"minimum", 2}, {"max-min", 3}, {"integral", 4}};

// A place in the recording given as seconds from its start, or as "B:T", T seconds into block B
// (counted from 1). A time between blocks means the next block's start (or, for the end of a
// selection, the previous block's end).
std::optional<TickPosition> ParsePlace(const Strata::Recording& rec, const std::string& text,
                                       bool isEnd, std::string* fault) {
  const size_t colon = text.find(':');
  const auto seconds = [](const std::string& s) -> std::optional<double> {
    try {
      size_t used = 0;
      const double v = std::stod(s, &used);
      if (used != s.size() || !std::isfinite(v)) {
        return std::nullopt;
      }
      return v;
    } catch (const std::exception&) {
      return std::nullopt;
    }
  };
  const auto tickIn = [&](std::int32_t b, double t) {
    const Strata::Block& block = rec.BlockAt(b);
    const double ticks = std::round(t / block.interval);
    const double clamped = std::clamp(ticks, 0.0, static_cast<double>(block.Ticks()));
    return TickPosition(static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(clamped));
  };
  if (colon != std::string::npos) {
    int block = 0;
    try {
      block = std::stoi(text.substr(0, colon));
    } catch (const std::exception&) {
      block = 0;
    }
    const auto t = seconds(text.substr(colon + 1));
    if (block < 1 || block > rec.BlockCount() || !t || *t < 0) {
      *fault = "\"" + text + "\" is not a block (1 to " + std::to_string(rec.BlockCount()) +
               ") and a time in seconds";
      return std::nullopt;
    }
    return tickIn(block - 1, *t);
  }
  const auto t = seconds(text);
  if (!t) {
    *fault = "\"" + text + "\" is not a time in seconds";
    return std::nullopt;
  }
  for (std::int32_t b = 0; b < rec.BlockCount(); ++b) {
    const Strata::Block& block = rec.BlockAt(b);
    const double end = block.startTime + block.interval * block.Ticks();
    if (*t < block.startTime) {
      return isEnd && b > 0
                 ? TickPosition(static_cast<std::uint32_t>(b - 1), rec.BlockAt(b - 1).Ticks())
                 : TickPosition(static_cast<std::uint32_t>(b), 0);
    }
    if (*t <= end) {
      return tickIn(b, *t - block.startTime);
    }
  }
  const std::int32_t last = rec.BlockCount() - 1;
  return TickPosition(static_cast<std::uint32_t>(last), rec.BlockAt(last).Ticks());
}

// The channel option: "any", a number from 1 as the chart shows it, or a title.
std::optional<std::int32_t> ParseChannel(const std::vector<std::string>& titles,
                                         const std::string& text) {
  if (Kor::ToLower(text) == "any") {
    return Tessel::kAnyChannel;
  }
  try {
    size_t used = 0;
    const int n = std::stoi(text, &used);
    if (used == text.size()) {
      if (n >= 1 && n <= static_cast<int>(titles.size())) {
        return n - 1;
      }
      return std::nullopt;
    }
  } catch (const std::exception&) {
  }
  for (size_t c = 0; c < titles.size(); ++c) {
    if (titles[c] == text) {
      return static_cast<std::int32_t>(c);
    }
  }
  for (size_t c = 0; c < titles.size(); ++c) {
    if (Kor::EqualsNoCase(titles[c], text)) {
      return static_cast<std::int32_t>(c);
    }
  }
  return std::nullopt;
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

std::string AnalysisJson(DocumentSession& s, const std::vector<Tessel::RunFit>& fits) {
  ordered_json runs = ordered_json::array();
  for (size_t i = 0; i < fits.size(); ++i) {
    const Tessel::RunFit& f = fits[i];
    ordered_json points = ordered_json::array();
    for (size_t p = 0; p < f.points.doses.size(); ++p) {
      points.push_back({{"dose", f.points.doses[p]},
                        {"response", f.points.responses[p]},
                        {"row", f.points.rows[p]},
                        {"column", f.points.columns[p]}});
    }
    int channel = -1;
    try {
      channel = std::stoi(f.channel);
    } catch (const std::exception&) {
    }
    runs.push_back({{"column", f.column},
                    {"label", f.label},
                    {"channel", channel},
                    {"points", points},
                    {"fit", "@@fit" + std::to_string(i) + "@@"}});
  }
  ordered_json root = {{"settings", SettingsJson(s.Doc().Settings())},
                       {"messages", s.Messages().Texts()},
                       {"grid", GridJson(s.Doc().Matrix())},
                       {"runs", runs}};
  std::string text = root.dump();
  for (size_t i = 0; i < fits.size(); ++i) {
    text = Splice(std::move(text), "@@fit" + std::to_string(i) + "@@", FitJson(fits[i].result));
  }
  return text + "\n";
}

// Writes the files asked for; false (after saying why) when one cannot be written.
bool WriteOutputs(const AnalyzeArgs& a, DocumentSession& s, const std::string& paramsText,
                  std::ostream& err) {
  const Tessel::MatrixCells cells(s.Doc().Matrix(), s.ChannelTitles());
  const auto refused = [&err](const std::string& path) {
    err << "tessel analyze: " << path << ": "
        << "The specified file is in use or cannot be written.\n";
    return false;
  };
  if (!a.xml.empty() && !Tessel::WritePrismXml(cells, a.xml)) {
    return refused(a.xml);
  }
  if (!a.text.empty() && !Tessel::WriteTableText(cells, a.text, Tessel::kProgressExportingTableView,
                                                 &s.Host().Progress())) {
    return refused(a.text);
  }
  if (!a.params.empty()) {
    std::ofstream file(a.params, std::ios::binary | std::ios::trunc);
    if (!file || !file.write(paramsText.data(), static_cast<std::streamsize>(paramsText.size()))) {
      return refused(a.params);
    }
  }
  if (!a.save.empty()) {
    const std::string fault = s.Save(a.save);
    if (!fault.empty()) {
      err << "tessel analyze: " << fault << "\n";
      return false;
    }
  }
  return true;
}

int RunAnalyze(const AnalyzeArgs& a, CommandIo& io) {
  std::string error;
  std::unique_ptr<DocumentSession> s = DocumentSession::Open(a.input, io.err, a.json, &error);
  if (!s) {
    io.err << "tessel analyze: " << error << "\n";
    return kExitBadInput;
  }
  const Strata::Recording& rec = s->Chart().Data();
  if (rec.BlockCount() == 0 || !rec.HasData()) {
    io.err << "tessel analyze: " << a.input << ": the recording holds no samples\n";
    return kExitBadInput;
  }
  const auto channel = ParseChannel(s->ChannelTitles(), a.channel);
  if (!channel) {
    io.err << "tessel analyze: " << a.input << ": there is no channel \"" << a.channel << "\"\n";
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
    io.err << "tessel analyze: " << a.input << ": no response was measured (" << report.found
           << " dose comments found in the selection)\n";
    return kExitNothingMeasured;
  }
  const std::vector<Tessel::RunFit> fits =
      Tessel::FitAllRuns(s->Doc().Matrix(), s->Doc().Settings().fixHill);
  const std::string paramsText = Tessel::FittedParamsText(fits, s->Doc().Settings());
  if (!WriteOutputs(a, *s, paramsText, io.err)) {
    return kExitBadInput;
  }
  if (a.json) {
    io.out << AnalysisJson(*s, fits);
  } else {
    io.out << paramsText;
  }
  return kExitOk;
}

}  // namespace

void AddAnalyzeCommand(CLI::App& app, CommandIo& io) {
  auto a = std::make_shared<AnalyzeArgs>();
  CLI::App* cmd = app.add_subcommand(
      "analyze",
      "Measure the response after every dose comment of a recording, fit every run and print "
      "the fitted parameters");
  cmd->add_option("INPUT", a->input,
                  "A recording (EDF, EDF+, BDF, BDF+, delimited text) or a "
                  ".strata document")
      ->required();
  cmd->add_option("--channel", a->channel,
                  "Channel of the dose comments: a number from 1, a title, or any (default)");
  cmd->add_option("--from", a->from, "Selection start: seconds, or B:T for T s into block B");
  cmd->add_option("--to", a->to, "Selection end: seconds, or B:T for T s into block B");
  cmd->add_option("--start", a->start, "Window start, seconds after each dose comment (default 1)")
      ->check(CLI::Range(-3600.0, 3600.0));
  cmd->add_option("--stop", a->stop, "Window stop, seconds after each dose comment (default 5)")
      ->check(CLI::Range(-3600.0, 3600.0));
  cmd->add_option("--method", a->method, "average (default), maximum, minimum, max-min, integral")
      ->check(CLI::IsMember({"average", "maximum", "minimum", "max-min", "integral"}));
  cmd->add_flag("--per-dose-baseline", a->perDoseBaseline, "Per-dose baseline correction");
  cmd->add_flag("--fix-hill", a->fixHill, "Fix the Hill slope at 1.0");
  cmd->add_option("--sig-figs", a->sigFigs, "Significant figures of numbers (1 to 10, default 4)")
      ->check(CLI::Range(1, 10));
  cmd->add_flag("--scientific", a->scientific, "Scientific notation for numbers");
  cmd->add_option("--xml", a->xml, "Write the table as a Prism XML file");
  cmd->add_option("--text", a->text, "Write the table as a text file");
  cmd->add_option("--params", a->params, "Write the fitted parameters as a text file");
  cmd->add_option("--save", a->save, "Save the recording with its table as a .strata document");
  cmd->add_flag("--json", a->json, "Print one JSON object instead of the table");
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
