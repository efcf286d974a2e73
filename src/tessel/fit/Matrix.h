#pragma once

#include <vector>

namespace ExtLib {

// A dense matrix as a vector of rows.
using Matrix = std::vector<std::vector<double>>;

}  // namespace ExtLib
