#pragma once

#include <charconv>
#include <string>

namespace Strata {

// A number that is the whole of an already trimmed field, a leading '+' allowed: "12", "+1.5",
// "-3e2". Anything after the number, or nothing at all, and the field is not a number.
template <class T>
bool ParseWholeField(const std::string& trimmed, T* value) {
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  if (first != last && *first == '+') {
    ++first;
  }
  if (first == last) {
    return false;
  }
  const auto [end, ec] = std::from_chars(first, last, *value);
  return ec == std::errc() && end == last;
}

}  // namespace Strata
