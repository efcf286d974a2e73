#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/document/DocumentSettings.h"
#include "tessel/fit/RunFits.h"

namespace Tessel {

class FittedParamsData;

// The fitted-parameters table as copied text: rows 0 to 24, columns 0 to columns - 1, the stored
// texts TAB-separated, CR LF after every row including the last.
std::string FittedParamsText(const FittedParamsData& table, std::uint32_t columns);

// The fitted parameters of every run, eight runs to a table, the tables one after the other
// (one table of labels only when there is no run).
std::string FittedParamsText(const std::vector<RunFit>& fits, const DocumentSettings& settings);

}  // namespace Tessel
