#pragma once

#include <cstdint>
#include <string>

namespace Tessel {

class FittedParamsData;

// The fitted-parameters table as copied text: rows 0 to 24, columns 0 to columns - 1, the stored
// texts TAB-separated, CR LF after every row including the last.
std::string FittedParamsText(const FittedParamsData& table, std::uint32_t columns);

}  // namespace Tessel
