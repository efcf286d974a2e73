#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/TesselCommand.h"
#include "support/TestData.h"

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

// The demo recording every command test reads.
inline std::string DemoPath() {
  return std::string(TESSEL_SOURCE_DIR) + "/data/organ-bath.edf";
}

// A table's text with its placeholders filled in: %DEMO% the demo recording, %DIR% a test's
// folder, and whatever else a test passes.
inline std::string Expand(std::string text,
                          const std::vector<std::pair<std::string, std::string>>& more = {}) {
  std::vector<std::pair<std::string, std::string>> all = {{"%DEMO%", DemoPath()}};
  all.insert(all.end(), more.begin(), more.end());
  for (const auto& [from, to] : all) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  }
  return text;
}

// A command line from a table field: arguments separated by blanks, placeholders filled in.
inline std::vector<std::string> Args(
    const std::string& field, const std::vector<std::pair<std::string, std::string>>& more = {}) {
  std::vector<std::string> args;
  std::istringstream in(field);
  for (std::string arg; in >> arg;) {
    args.push_back(Expand(arg, more));
  }
  return args;
}

}  // namespace Testing
