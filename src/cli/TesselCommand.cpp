#include "cli/TesselCommand.h"

#include <CLI/CLI.hpp>
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

}  // namespace

int RunTessel(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err) {
  CommandIo io{in, out, err};
  CLI::App app{"tessel: dose-response analysis of chart recordings, without a window", "tessel"};
  app.require_subcommand(1);
  for (CommandRegistrar add : kCommands) {
    add(app, io);
  }
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
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
    err << "tessel: " << e.what() << "\n";
    return kExitBadInput;
  }
  return io.status;
}

}  // namespace Cli
