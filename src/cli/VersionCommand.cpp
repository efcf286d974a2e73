#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/CommandIo.h"

namespace Cli {

void AddVersionCommand(CLI::App& app, CommandIo& io) {
  app.add_subcommand("version", "Print the program's version")->callback([&io] {
    io.out << "tessel 0.1\n";
  });
}

}  // namespace Cli
