#pragma once

#include <string>

namespace Tessel {

// An in-dialog warning: a title and a text shown beside the field it is about.
struct Balloon {
  std::string title;
  std::string text;
  bool warning = false;  // a warning still lets the user go on; an error does not

  bool operator==(const Balloon&) const = default;
};

}  // namespace Tessel
