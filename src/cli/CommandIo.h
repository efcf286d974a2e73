#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace Cli {

// The streams a command talks through and the exit status it leaves.
struct CommandIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  int status = 0;
};

// Text for a terminal or a script: LF line ends where the file formats have CR LF.
std::string LfLines(std::string text);

// Each command adds itself to the program as a subcommand whose callback does the work and sets
// io.status. Declared here, defined in the command's own file, listed in TesselCommand.cpp.
using CommandRegistrar = void (*)(CLI::App& app, CommandIo& io);

void AddVersionCommand(CLI::App& app, CommandIo& io);
void AddFitCommand(CLI::App& app, CommandIo& io);
void AddInfoCommand(CLI::App& app, CommandIo& io);
void AddSimulateCommand(CLI::App& app, CommandIo& io);
void AddInspectCommand(CLI::App& app, CommandIo& io);
void AddAnalyzeCommand(CLI::App& app, CommandIo& io);
void AddTableCommand(CLI::App& app, CommandIo& io);
void AddExportCommand(CLI::App& app, CommandIo& io);

}  // namespace Cli
