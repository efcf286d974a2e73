#include "cli/Arguments.h"

#include <charconv>
#include <cmath>

namespace Cli {
namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

template <typename T>
bool ReadWhole(const std::string& text, T* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') {
    ++first;
  }
  const auto [end, ec] = std::from_chars(first, last, *value);
  return ec == std::errc() && end == last && first != last;
}

template <typename T>
std::string Text(T value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

}  // namespace

CLI::Validator WholeNumberIn(long long lo, long long hi) {
  const std::string range = Text(lo) + " to " + Text(hi);
  return CLI::Validator(
      [lo, hi, range](std::string& text) -> std::string {
        long long value = 0;
        if (!ReadWhole(text, &value)) {
          double any = 0.0;
          return Quoted(text) +
                 (ReadWhole(text, &any) ? " is not a whole number" : " is not a number") +
                 " (a whole number from " + range + " is wanted)";
        }
        if (value < lo || value > hi) {
          return text + " is out of range (a whole number from " + range + " is wanted)";
        }
        return {};
      },
      "whole number " + range);
}

CLI::Validator NumberIn(double lo, double hi) {
  const std::string range = Text(lo) + " to " + Text(hi);
  return CLI::Validator(
      [lo, hi, range](std::string& text) -> std::string {
        double value = 0.0;
        if (!ReadWhole(text, &value) || !std::isfinite(value)) {
          return Quoted(text) + " is not a number";
        }
        if (value < lo || value > hi) {
          return text + " is out of range (" + range + ")";
        }
        return {};
      },
      range);
}

CLI::Validator OneOf(const std::vector<std::string>& words) {
  std::string list;
  for (const std::string& w : words) {
    list += (list.empty() ? "" : ", ") + w;
  }
  return CLI::Validator(
      [words, list](std::string& text) -> std::string {
        for (const std::string& w : words) {
          if (text == w) {
            return {};
          }
        }
        return Quoted(text) + " is not one of " + list;
      },
      list);
}

}  // namespace Cli
