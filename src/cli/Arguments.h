#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace Cli {

// Checks of option values whose messages say what the value is and what is wanted, as in
// "--sig-figs: "abc" is not a number".

// A whole number from lo to hi.
CLI::Validator WholeNumberIn(long long lo, long long hi);
// A finite number from lo to hi.
CLI::Validator NumberIn(double lo, double hi);
// One of the words.
CLI::Validator OneOf(const std::vector<std::string>& words);

}  // namespace Cli
