#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/DocumentSession.h"
#include "cli/TesselCommand.h"
#include "tessel/export/FittedParamsText.h"
#include "tessel/export/MatrixCells.h"
#include "tessel/export/PrismXmlWriter.h"
#include "tessel/export/TableTextWriter.h"
#include "tessel/fit/FittedParamsData.h"
#include "tessel/fit/RunFits.h"

namespace Cli {
namespace {

struct TableArgs {
  std::string file;
  bool json = false;
  std::string xml;
  std::string text;
  std::string params;
};

std::unique_ptr<DocumentSession> OpenOrSay(const std::string& command, const std::string& path,
                                           CommandIo& io) {
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
    io.out << writer.Line(r, 1, columns - 1);
  }
  return kExitOk;
}

int Export(const TableArgs& a, CommandIo& io) {
  if (a.xml.empty() && a.text.empty() && a.params.empty()) {
    io.err << "tessel export: name a file to write with --xml, --text or --params\n";
    return kExitBadInput;
  }
  auto s = OpenOrSay("export", a.file, io);
  if (!s) {
    return kExitBadInput;
  }
  const Tessel::MatrixCells cells(s->Doc().Matrix(), s->ChannelTitles());
  const auto refused = [&io](const std::string& path) {
    io.err << "tessel export: " << path << ": The specified file is in use or cannot be written.\n";
    return kExitBadInput;
  };
  if (!a.xml.empty() && !Tessel::WritePrismXml(cells, a.xml)) {
    return refused(a.xml);
  }
  if (!a.text.empty() && !Tessel::WriteTableText(cells, a.text, Tessel::kProgressExportingTableView,
                                                 &s->Host().Progress())) {
    return refused(a.text);
  }
  if (!a.params.empty()) {
    const auto fits = Tessel::FitAllRuns(s->Doc().Matrix(), s->Doc().Settings().fixHill);
    const std::string text = Tessel::FittedParamsText(fits, s->Doc().Settings());
    std::ofstream file(a.params, std::ios::binary | std::ios::trunc);
    if (!file || !file.write(text.data(), static_cast<std::streamsize>(text.size()))) {
      return refused(a.params);
    }
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
  cmd->add_option("--xml", a->xml, "Prism XML file to write");
  cmd->add_option("--text", a->text, "Text file to write (TAB-separated, ISO 8859-1)");
  cmd->add_option("--params", a->params, "Fitted parameters text file to write");
  cmd->callback([&io, a] { io.status = Export(*a, io); });
}

}  // namespace Cli
