#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/CommandIo.h"
#include "cli/TesselCommand.h"

namespace Cli {

void AddVersionCommand(CLI::App& app, CommandIo& io) {
  app.add_subcommand("version", "Print the program's version")->callback([&io] {
    io.out << kVersionText << "\n";
  });
}

}  // namespace Cli
