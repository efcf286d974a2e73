#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "strata/recording/Recording.h"
#include "tessel/host/TickPosition.h"

namespace Cli {

// A place in the recording given as seconds from its start, or as "B:T", T seconds into block B
// (counted from 1). A time between blocks means the next block's start (or, for the end of a
// selection, the previous block's end). Nothing, with *fault set, when the text is neither.
std::optional<Tessel::TickPosition> ParsePlace(const Strata::Recording& rec,
                                               const std::string& text, bool isEnd,
                                               std::string* fault);

// The channel option: "any" (Tessel::kAnyChannel), a number from 1 as the chart shows it, or a
// title (exact, else without regard to case). Nothing when no channel matches.
std::optional<std::int32_t> ParseChannel(const std::vector<std::string>& titles,
                                         const std::string& text);

}  // namespace Cli
