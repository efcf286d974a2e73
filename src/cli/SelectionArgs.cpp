#include "cli/SelectionArgs.h"

#include <algorithm>
#include <cmath>

#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/support/Strings.h"

namespace Cli {

using Tessel::TickPosition;

std::optional<TickPosition> ParsePlace(const Strata::Recording& rec, const std::string& text,
                                       bool isEnd, std::string* fault) {
  const size_t colon = text.find(':');
  const auto seconds = [](const std::string& s) -> std::optional<double> {
    try {
      size_t used = 0;
      const double v = std::stod(s, &used);
      if (used != s.size() || !std::isfinite(v)) {
        return std::nullopt;
      }
      return v;
    } catch (const std::exception&) {
      return std::nullopt;
    }
  };
  const auto tickIn = [&](std::int32_t b, double t) {
    const Strata::Block& block = rec.BlockAt(b);
    const double ticks = std::round(t / block.interval);
    const double clamped = std::clamp(ticks, 0.0, static_cast<double>(block.Ticks()));
    return TickPosition(static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(clamped));
  };
  if (colon != std::string::npos) {
    int block = 0;
    try {
      block = std::stoi(text.substr(0, colon));
    } catch (const std::exception&) {
      block = 0;
    }
    const auto t = seconds(text.substr(colon + 1));
    if (block < 1 || block > rec.BlockCount() || !t || *t < 0) {
      *fault = "\"" + text + "\" is not a block (1 to " + std::to_string(rec.BlockCount()) +
               ") and a time in seconds";
      return std::nullopt;
    }
    return tickIn(block - 1, *t);
  }
  const auto t = seconds(text);
  if (!t) {
    *fault = "\"" + text + "\" is not a time in seconds";
    return std::nullopt;
  }
  for (std::int32_t b = 0; b < rec.BlockCount(); ++b) {
    const Strata::Block& block = rec.BlockAt(b);
    const double end = block.startTime + block.interval * block.Ticks();
    if (*t < block.startTime) {
      return isEnd && b > 0
                 ? TickPosition(static_cast<std::uint32_t>(b - 1), rec.BlockAt(b - 1).Ticks())
                 : TickPosition(static_cast<std::uint32_t>(b), 0);
    }
    if (*t <= end) {
      return tickIn(b, *t - block.startTime);
    }
  }
  const std::int32_t last = rec.BlockCount() - 1;
  return TickPosition(static_cast<std::uint32_t>(last), rec.BlockAt(last).Ticks());
}

std::optional<std::int32_t> ParseChannel(const std::vector<std::string>& titles,
                                         const std::string& text) {
  if (Kor::ToLower(text) == "any") {
    return Tessel::kAnyChannel;
  }
  try {
    size_t used = 0;
    const int n = std::stoi(text, &used);
    if (used == text.size()) {
      if (n >= 1 && n <= static_cast<int>(titles.size())) {
        return n - 1;
      }
      return std::nullopt;
    }
  } catch (const std::exception&) {
  }
  for (size_t c = 0; c < titles.size(); ++c) {
    if (titles[c] == text) {
      return static_cast<std::int32_t>(c);
    }
  }
  for (size_t c = 0; c < titles.size(); ++c) {
    if (Kor::EqualsNoCase(titles[c], text)) {
      return static_cast<std::int32_t>(c);
    }
  }
  return std::nullopt;
}

}  // namespace Cli
