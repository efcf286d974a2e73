#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/InputFile.h"
#include "cli/OutputFiles.h"
#include "cli/TesselCommand.h"
#include "strata/import/RecordingImporter.h"

namespace Cli {
namespace {

struct InfoArgs {
  std::string file;
  bool json = false;
  std::size_t samples = 0;
};

// The shortest text that reads back as the same 32-bit sample.
std::string SampleText(float v) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
}

std::string SecondsText(double v) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

nlohmann::ordered_json SamplesJson(const Strata::Recording& rec, std::size_t n) {
  auto blocks = nlohmann::ordered_json::array();
  for (const auto& block : rec.Blocks()) {
    auto channels = nlohmann::ordered_json::array();
    for (const auto& samples : block.samples) {
      auto values = nlohmann::ordered_json::array();
      for (std::size_t i = 0; i < std::min(n, samples.size()); ++i) {
        // Through the float's own shortest text, so 0.1f shows as 0.1 and not 0.10000000149.
        values.push_back(std::strtod(SampleText(samples[i]).c_str(), nullptr));
      }
      channels.push_back(std::move(values));
    }
    blocks.push_back(std::move(channels));
  }
  return blocks;
}

void PrintJson(const Strata::ImportResult& r, const InfoArgs& args, std::ostream& out) {
  const Strata::Recording& rec = r.recording;
  nlohmann::ordered_json j;
  j["format"] = r.format;
  j["channels"] = nlohmann::ordered_json::array();
  for (const auto& c : rec.Channels()) {
    j["channels"].push_back({{"title", c.title}});
  }
  j["blocks"] = nlohmann::ordered_json::array();
  for (const auto& b : rec.Blocks()) {
    j["blocks"].push_back({{"start", b.startTime},
                           {"interval", b.interval},
                           {"ticks", b.Ticks()},
                           {"units", b.units}});
  }
  j["comments"] = nlohmann::ordered_json::array();
  for (const auto& c : rec.Comments()) {
    j["comments"].push_back({{"block", c.position.Block() + 1},
                             {"tick", c.position.Tick()},
                             {"channel", c.channel < 0 ? nlohmann::ordered_json("all")
                                                       : nlohmann::ordered_json(c.channel + 1)},
                             {"text", c.text}});
  }
  j["report"] = r.Report();
  if (args.samples > 0) {
    j["samples"] = SamplesJson(rec, args.samples);
  }
  out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

void PrintText(const Strata::ImportResult& r, const InfoArgs& args, const std::string& name,
               std::ostream& out) {
  const Strata::Recording& rec = r.recording;
  out << "File: " << name << "\nFormat: " << r.format << "\n";
  out << "Channels: " << rec.ChannelCount() << "\n";
  for (std::int32_t c = 0; c < rec.ChannelCount(); ++c) {
    out << "  " << c + 1 << "  " << rec.ChannelAt(c).title << "\n";
  }
  out << "Blocks: " << rec.BlockCount() << "\n";
  for (std::int32_t b = 0; b < rec.BlockCount(); ++b) {
    const auto& block = rec.BlockAt(b);
    out << "  " << b + 1 << "  start " << SecondsText(block.startTime) << " s, interval "
        << SecondsText(block.interval) << " s, " << block.Ticks() << " ticks, units";
    for (std::size_t c = 0; c < block.units.size(); ++c) {
      out << (c == 0 ? " " : ", ") << (block.units[c].empty() ? "(none)" : block.units[c]);
    }
    out << "\n";
  }
  out << "Comments (block, tick in the block, channel): " << rec.Comments().size() << "\n";
  for (const auto& c : rec.Comments()) {
    out << "  " << c.position.Block() + 1 << "  " << c.position.Tick() << "  "
        << (c.channel < 0 ? std::string("all") : std::to_string(c.channel + 1)) << "  " << c.text
        << "\n";
  }
  out << "Report:" << (r.warnings.empty() ? " nothing to report" : "") << "\n";
  for (const auto& text : r.Report()) {
    out << "  " << text << "\n";
  }
  if (args.samples == 0) {
    return;
  }
  out << "Samples (first " << args.samples << " per channel):\n";
  for (std::int32_t b = 0; b < rec.BlockCount(); ++b) {
    const auto& block = rec.BlockAt(b);
    for (std::size_t c = 0; c < block.samples.size(); ++c) {
      out << "  block " << b + 1 << ", channel " << c + 1 << ":";
      for (std::size_t i = 0; i < std::min(args.samples, block.samples[c].size()); ++i) {
        out << " " << SampleText(block.samples[c][i]);
      }
      out << "\n";
    }
  }
}

}  // namespace

void AddInfoCommand(CLI::App& app, CommandIo& io) {
  auto args = std::make_shared<InfoArgs>();
  auto* cmd = app.add_subcommand(
      "info", "Show what the import makes of a recording: channels, blocks, comments, report");
  cmd->add_option("FILE", args->file,
                  "EDF, EDF+, BDF, BDF+ or delimited-text recording, a .strata document, or - "
                  "for standard input")
      ->required();
  cmd->add_flag("--json", args->json, "One JSON object instead of text");
  cmd->add_option("--samples", args->samples, "Also show the first N samples of each channel");
  cmd->footer(
      "Channels and blocks are counted from 1, as the chart shows them; a tick is the "
      "sample's offset in its block, from 0.");
  cmd->callback([&io, args] {
    const InputFile input(args->file, io.in);
    if (!input.Fault().empty()) {
      io.err << "tessel info: " << input.Fault() << "\n";
      io.status = kExitBadInput;
      return;
    }
    const Strata::ImportResult r = Strata::ImportRecording(input.Path());
    if (!r.ok) {
      io.err << "tessel info: " << input.Mention(r.error) << "\n";
      io.status = kExitBadInput;
      return;
    }
    if (args->json) {
      PrintJson(r, *args, io.out);
    } else {
      PrintText(r, *args, args->file == kStandardStream ? "standard input" : args->file, io.out);
    }
    io.status = kExitOk;
  });
}

}  // namespace Cli
