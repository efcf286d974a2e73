#include <CLI/CLI.hpp>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/ConsoleMessageBox.h"
#include "cli/JsonText.h"
#include "cli/TesselCommand.h"
#include "strata/recording/ChartDocument.h"
#include "strata/recording/Host.h"
#include "strata/storage/StrataFile.h"
#include "strata/storage/TesselDocumentClass.h"
#include "tessel/document/Document.h"
#include "tessel/support/MemoryStream.h"

namespace Cli {
namespace {

using nlohmann::ordered_json;
using Tessel::TickPosition;

constexpr char kSqliteMagic[16] = "SQLite format 3";

// The stream to inspect and the recording it belongs to.
struct Source {
  std::vector<std::uint8_t> stream;
  Strata::Recording recording;
  std::string error;
};

// Why bytes that are not a .strata document cannot be a Tessel document stream either; "" when
// they can. The reader would take anything as a (short) stream: the command does not.
std::string NotAStream(const std::vector<std::uint8_t>& bytes) {
  constexpr size_t kHeadBytes = 8;  // the stream header and the settings version
  if (bytes.size() < kHeadBytes) {
    return "it holds " + std::to_string(bytes.size()) +
           " bytes, too few for the stream header and the settings version";
  }
  const bool header = bytes[0] == 0xAA && bytes[1] == 0xAA && bytes[3] == 0x55;
  // A stream without the header (the oldest form) starts with its settings version, 0 to 8.
  const bool oldForm =
      bytes[0] <= Tessel::kSettingsVersion && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0;
  if (!header && !oldForm) {
    return "it starts with neither the stream header nor a settings version";
  }
  return {};
}

Source ReadSource(const std::string& path) {
  Source source;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    source.error = Strata::StrataFile::OpenError(
        path, std::filesystem::exists(path, ec) ? "it is not a file" : "the file does not exist");
    return source;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    source.error = Strata::StrataFile::OpenError(path, "the file cannot be read");
    return source;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
  if (bytes.size() < sizeof kSqliteMagic ||
      std::memcmp(bytes.data(), kSqliteMagic, sizeof kSqliteMagic) != 0) {
    if (const std::string fault = NotAStream(bytes); !fault.empty()) {
      source.error =
          "\"" + path + "\" is not a .strata document or a Tessel document stream: " + fault + ".";
      return source;
    }
    // A raw stream has no recording. One sample stands in for it, so that the responses are
    // shown as the stream holds them instead of being reset for an empty recording.
    source.stream = std::move(bytes);
    source.recording.AddChannel("");
    source.recording.AddBlock(1.0, 1);
    return source;
  }
  Strata::StrataFileContents contents;
  source.error = Strata::StrataFile::Read(path, &contents);
  if (!source.error.empty()) {
    return source;
  }
  for (const auto& child : contents.children) {
    for (const auto& s : child.streams) {
      if (child.className == Strata::kTesselDocumentClassName && s.index == 0 &&
          s.kind == Tessel::kStreamKindState) {
        source.stream = s.bytes;
        source.recording = std::move(contents.recording);
        return source;
      }
    }
  }
  source.error = "\"" + path + "\" holds no Tessel Document.";
  return source;
}

ordered_json Pos(TickPosition p) {
  return ordered_json::array({p.Block(), p.Tick()});
}

ordered_json BaselineJson(const Tessel::Baseline& b) {
  return {{"present", b.present}, {"intercept", b.intercept}, {"slope", b.slope}};
}

ordered_json CellJson(const Tessel::TableViewElem& e) {
  return {{"text", e.text},
          {"value", e.value},
          {"channel", e.channel},
          {"start", Pos(e.start)},
          {"end", Pos(e.end)},
          {"dosePosition", Pos(e.dosePosition)},
          {"commentText", e.commentText},
          {"response", e.response},
          {"flags", e.flags},
          {"doseMarked", e.doseMarked},
          {"responseAdded", e.responseAdded},
          {"autoBaseline", BaselineJson(e.autoBaseline)},
          {"userBaseline", BaselineJson(e.userBaseline)}};
}

// Where a stream cut short ended: what a reader needs to tell stored values from defaults.
ordered_json EndJson(const Tessel::PersistStreamSettings::StreamEnd& end) {
  if (!end.early) {
    return nullptr;
  }
  return {{"afterBytes", end.after}, {"field", end.field}};
}

ordered_json Report(Tessel::Document& doc) {
  Tessel::PersistStreamSettings& o = doc.SettingsObject();
  const Tessel::TableViewMatrix& m = doc.Matrix();
  ordered_json cells = ordered_json::array();
  for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
    ordered_json column = ordered_json::array();
    for (const Tessel::TableViewElem& e : *m.Column(c)) {
      column.push_back(CellJson(e));
    }
    cells.push_back(std::move(column));
  }
  const auto restore = doc.SelectionToRestore();
  return {{"formatLevel", o.LoadedFormatLevel()},
          {"settingsVersion", o.LoadedVersion()},
          {"flags", {o.Option(1), o.Option(2), o.Option(3), o.Option(4)}},
          {"settings", SettingsJson(doc.Settings())},
          {"restoreSelection", {Pos(restore[0]), Pos(restore[1])}},
          {"matrixVersion", o.LoadedMatrixVersion()},
          {"columns", m.ColumnCount()},
          {"rows", m.RowCount()},
          {"cells", std::move(cells)},
          {"endedEarly", EndJson(o.LoadedEnd())}};
}

// One "key: value" per line; objects and arrays of plain values on one line as JSON.
void PrintText(const ordered_json& report, std::ostream& out) {
  for (const auto& [key, value] : report.items()) {
    if (key == "settings") {
      out << "settings:\n";
      for (const auto& [name, field] : value.items()) {
        out << "  " << name << ": " << field.dump() << "\n";
      }
    } else if (key == "cells") {
      for (size_t c = 0; c < value.size(); ++c) {
        for (size_t r = 0; r < value[c].size(); ++r) {
          out << "cell " << r + 1 << "," << c + 1 << ":";
          for (const auto& [name, field] : value[c][r].items()) {
            out << " " << name << "=" << field.dump();
          }
          out << "\n";
        }
      }
    } else if (key == "endedEarly") {
      if (!value.is_null()) {
        out << "endedEarly: the stream ends after " << value["afterBytes"].dump()
            << " bytes, inside " << value["field"].get<std::string>()
            << "; that field and every one after it are defaults\n";
      }
    } else {
      out << key << ": " << value.dump() << "\n";
    }
  }
}

int Inspect(const std::string& path, bool json, CommandIo& io) {
  Source source = ReadSource(path);
  if (!source.error.empty()) {
    io.err << "tessel inspect: " << source.error << "\n";
    return kExitBadInput;
  }
  auto host = Tessel::MakeRef<Strata::Host>(Tessel::MakeRef<ConsoleMessageBox>(io.err));
  auto chart = Tessel::MakeRef<Strata::ChartDocument>(host, std::move(source.recording));
  Tessel::Ref<Tessel::Document> doc = Tessel::Document::Create(chart.get());
  auto stream = Tessel::MakeRef<Kor::MemoryStream>(std::move(source.stream));
  int status = kExitOk;
  if (Tessel::Failed(doc->SettingsObject().Load(stream.get()))) {
    const std::uint32_t code = doc->SettingsObject().LastError();
    io.err << "tessel inspect: the Tessel document stream in \"" << path
           << "\" cannot be read: " << Tessel::FrameworkError::Describe(code) << " (0x" << std::hex
           << std::uppercase << code << std::dec << std::nouppercase << ").\n";
    status = kExitBadInput;
  } else if (json) {
    io.out << Report(*doc).dump(2) << "\n";
  } else {
    PrintText(Report(*doc), io.out);
  }
  doc->Close();
  chart->Close();
  return status;
}

}  // namespace

void AddInspectCommand(CLI::App& app, CommandIo& io) {
  auto path = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  CLI::App* cmd = app.add_subcommand(
      "inspect", "Show what a Tessel document stream holds: settings, option flags and the table");
  cmd->add_option("FILE", *path, "a .strata document or a raw Tessel document stream")->required();
  cmd->add_flag("--json", *json, "one JSON object instead of text");
  cmd->footer(
      "Cells are named row,column counted from 1; values are shown as stored. A stream that "
      "ends early still loads, as the desktop would load it: the report says after which byte "
      "and inside which field, and every later field keeps its default.");
  cmd->callback([&io, path, json] { io.status = Inspect(*path, *json, io); });
}

}  // namespace Cli
