#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/DocumentSession.h"
#include "cli/OutputFiles.h"
#include "cli/TableFiles.h"
#include "cli/TesselCommand.h"
#include "tessel/export/FittedParamsText.h"
#include "tessel/export/MatrixCells.h"
#include "tessel/export/TableTextWriter.h"
#include "tessel/fit/FittedParamsData.h"
#include "tessel/fit/RunFits.h"

namespace Cli {
namespace {

struct TableArgs {
  std::string file;
  bool json = false;
  TableFiles files;
};

std::unique_ptr<DocumentSession> OpenOrSay(const std::string& command, const std::string& path,
                                           CommandIo& io) {
  if (const std::string fault = InputFault(path); !fault.empty()) {
    io.err << "tessel " << command << ": " << fault << "\n";
    return nullptr;
  }
  std::string error;
  auto s = DocumentSession::Open(path, io.err, true, &error);
  if (!s) {
    io.err << "tessel " << command << ": " << error << "\n";
  }
  return s;
}

int PrintTable(const TableArgs& a, CommandIo& io) {
  auto s = OpenOrSay("table", a.file, io);
  if (!s) {
    return kExitBadInput;
  }
  const Tessel::MatrixCells cells(s->Doc().Matrix(), s->ChannelTitles());
  const Tessel::TableTextWriter writer(cells);
  const std::uint32_t rows = cells.RowCount();
  const std::uint32_t columns = cells.ColumnCount();
  if (a.json) {
    nlohmann::ordered_json grid = nlohmann::ordered_json::array();
    for (std::uint32_t r = 1; r < rows; ++r) {
      nlohmann::ordered_json row = nlohmann::ordered_json::array();
      for (std::uint32_t c = 1; c < columns; ++c) {
        row.push_back(cells.OutputText(r, c));
      }
      grid.push_back(std::move(row));
    }
    io.out << nlohmann::ordered_json{{"rows", grid}}.dump() << "\n";
    return kExitOk;
  }
  for (std::uint32_t r = 1; r < rows && columns > 1; ++r) {
    io.out << LfLines(writer.Line(r, 1, columns - 1));
  }
  return kExitOk;
}

int Export(const TableArgs& a, CommandIo& io) {
  if (!a.files.Any()) {
    io.err << "tessel export: name a file to write with --xml, --text or --params\n";
    return kExitBadInput;
  }
  OutputFiles plan;
  plan.AddInput(a.file);
  a.files.PlanTo(plan);
  if (const std::string fault = plan.Check(); !fault.empty()) {
    io.err << "tessel export: " << fault << "\n";
    return kExitBadInput;
  }
  if (InputFault(a.file).empty() && !DocumentSession::IsStrataFile(a.file)) {
    io.err << "tessel export: " << a.file
           << ": it is not a .strata document, so it holds no table (tessel analyze " << a.file
           << " --xml F --text F --params F measures and exports a recording)\n";
    return kExitBadInput;
  }
  auto s = OpenOrSay("export", a.file, io);
  if (!s) {
    return kExitBadInput;
  }
  const auto fits = Tessel::FitAllRuns(s->Doc().Matrix(), s->Doc().Settings().fixHill);
  OutputFiles files;
  files.AddInput(a.file);
  a.files.AddTo(files, Tessel::MatrixCells(s->Doc().Matrix(), s->ChannelTitles()),
                Tessel::FittedParamsText(fits, s->Doc().Settings()));
  std::string fault = files.Check();
  if (fault.empty()) {
    fault = files.Write(io.out);
  }
  if (!fault.empty()) {
    io.err << "tessel export: " << fault << "\n";
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace

void AddTableCommand(CLI::App& app, CommandIo& io) {
  auto a = std::make_shared<TableArgs>();
  CLI::App* cmd = app.add_subcommand("table", "Print the Table View of a .strata document");
  cmd->add_option("FILE", a->file, "A .strata document (or a recording: an empty table)")
      ->required();
  cmd->add_flag("--json", a->json, "One JSON object of the rows instead of text");
  cmd->callback([&io, a] { io.status = PrintTable(*a, io); });
}

void AddExportCommand(CLI::App& app, CommandIo& io) {
  auto a = std::make_shared<TableArgs>();
  CLI::App* cmd = app.add_subcommand(
      "export", "Write the table of a .strata document as Prism XML, text, or fitted parameters");
  cmd->add_option("FILE", a->file, "A .strata document")->required();
  cmd->add_option("--xml", a->files.xml, "Prism XML file to write (- for standard output)");
  cmd->add_option("--text", a->files.text,
                  "Text file to write: TAB-separated, ISO 8859-1, CR LF (- for standard output)");
  cmd->add_option("--params", a->files.params,
                  "Fitted parameters text file to write: TAB-separated, CR LF (- for standard "
                  "output)");
  cmd->callback([&io, a] { io.status = Export(*a, io); });
}

}  // namespace Cli
