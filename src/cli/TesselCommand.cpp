#include "cli/TesselCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/CommandIo.h"

namespace Cli {
namespace {

// Every subcommand of the program, in the order `tessel --help` lists them.
const CommandRegistrar kCommands[] = {
    AddAnalyzeCommand,   //
    AddTableCommand,     //
    AddExportCommand,    //
    AddFitCommand,       //
    AddInfoCommand,      //
    AddSimulateCommand,  //
    AddInspectCommand,   //
    AddVersionCommand,   //
};

constexpr const char* kFooter =
    "Channels, blocks and table rows are counted from 1 everywhere, as the chart and the table "
    "show them. A FILE of - is standard input; an output of - is standard output.\n"
    "Exit status: 0 done, 1 nothing was measured or no run could be fitted, 2 an argument or a "
    "file was refused (one line on standard error says which and why).\n"
    "`tessel help COMMAND` or `tessel COMMAND --help` describes one command.";

std::string CommandList(const CLI::App& app) {
  std::string list;
  for (const CLI::App* sub : app.get_subcommands({})) {
    list += (list.empty() ? "" : ", ") + sub->get_name();
  }
  return list;
}

void AddHelpCommand(CLI::App& app, CommandIo& io) {
  auto topic = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("help", "Describe the program, or one command");
  cmd->add_option("COMMAND", *topic, "The command to describe");
  cmd->callback([&app, &io, topic] {
    // Formatted directly: App::help() would describe the help command itself, being the one
    // selected.
    if (topic->empty()) {
      io.out << app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
      return;
    }
    for (CLI::App* sub : app.get_subcommands({})) {
      if (sub->get_name() == *topic) {
        io.out << sub->help(app.get_name());
        return;
      }
    }
    io.err << "tessel help: there is no command \"" << *topic
           << "\"; the commands are: " << CommandList(app) << "\n";
    io.status = kExitBadInput;
  });
}

// The subcommand the arguments reached before a parse error, for the message's prefix.
std::string Prefix(const CLI::App& app) {
  for (const CLI::App* sub : app.get_subcommands({})) {
    if (sub->parsed()) {
      return "tessel " + sub->get_name() + ": ";
    }
  }
  return "tessel: ";
}

}  // namespace

std::string LfLines(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    }
    out += text[i];
  }
  return out;
}

int RunTessel(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err) {
  CommandIo io{in, out, err};
  CLI::App app{"tessel: dose-response analysis of chart recordings, without a window", "tessel"};
  app.require_subcommand(1);
  app.set_version_flag("--version", kVersionText, "Print the program's version");
  app.footer(kFooter);
  for (CommandRegistrar add : kCommands) {
    add(app, io);
  }
  AddHelpCommand(app, io);
  if (args.empty()) {
    err << "tessel: name a command: " << CommandList(app) << " (tessel help describes them)\n";
    return kExitBadInput;
  }
  const auto& subs = app.get_subcommands({});
  if (!args.front().empty() && args.front()[0] != '-' &&
      std::none_of(subs.begin(), subs.end(),
                   [&args](const CLI::App* sub) { return sub->get_name() == args.front(); })) {
    err << "tessel: there is no command \"" << args.front()
        << "\"; the commands are: " << CommandList(app) << "\n";
    return kExitBadInput;
  }
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << "\n";
    return kExitOk;
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    // Help asked of a subcommand arrives here too, as a CallForHelp thrown from inside it.
    if (e.get_exit_code() == 0) {
      out << (app.get_subcommands().empty() ? app.help() : app.get_subcommands().front()->help());
      return kExitOk;
    }
    err << Prefix(app) << e.what() << "\n";
    return kExitBadInput;
  }
  if (!out.flush()) {
    err << "tessel: standard output cannot be written\n";
    return kExitBadInput;
  }
  return io.status;
}

}  // namespace Cli
