#include "cli/TesselCommand.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace Cli {

int RunTessel(const std::vector<std::string>& args, std::istream& /*in*/, std::ostream& out,
              std::ostream& err) {
  CLI::App app{"tessel: dose-response analysis of chart recordings, without a window", "tessel"};
  app.require_subcommand(1);
  app.add_subcommand("version", "Print the program's version")->callback([&out] {
    out << "tessel 0.1\n";
  });

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
    err << "tessel: " << e.what() << "\n";
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace Cli
