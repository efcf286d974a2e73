#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/TesselCommand.h"

namespace Testing {

// One run of the tessel command as a user would make it: its exit status and what it printed.
struct CommandRun {
  int status = 0;
  std::string out;
  std::string err;
};

// Runs the command with these arguments, input as standard input.
inline CommandRun Tessel(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = Cli::RunTessel(args, in, out, err);
  return CommandRun{status, out.str(), err.str()};
}

}  // namespace Testing
