#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace Cli {

inline constexpr const char* kVersionText = "tessel 0.1";

// Exit statuses of the tessel command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNothingMeasured = 1;
inline constexpr int kExitNoRunFitted = 1;
inline constexpr int kExitBadInput = 2;

// Runs the tessel command with its arguments (without the program name) and the given streams;
// returns the exit status. main() and the tests both come through here.
int RunTessel(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace Cli
