#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/document/TableViewElem.h"

namespace Tessel {

// The text of every number Tessel shows or writes: n significant figures (1 to 10), general or
// scientific notation, exponents with at least three digits ("1.5e+007").
std::string FormatNumber(double value, std::int32_t sigFigs, bool scientific);

// Widens a printf-style exponent to at least three digits: "1e+07" -> "1e+007".
std::string WidenExponent(std::string text);

// The text an export, copy or Data Pad row carries for a cell: channel cells give the channel's
// title, placeholders give nothing.
std::string CellOutputText(const TableViewElem& cell,
                           const std::vector<std::string>& channelTitles);

}  // namespace Tessel
