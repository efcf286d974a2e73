#include "strata/recording/CommandRegistry.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace Strata {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::vector<const CommandRegistry::Command*> CommandRegistry::Matching(
    const std::string& search) const {
  std::vector<std::string> words;
  std::istringstream in(Lower(search));
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  std::vector<const Command*> found;
  for (const Command& c : commands_) {
    const std::string haystack =
        Lower(c.info.category + " " + c.info.name + " " + c.info.description);
    if (std::all_of(words.begin(), words.end(),
                    [&](const std::string& w) { return haystack.find(w) != std::string::npos; })) {
      found.push_back(&c);
    }
  }
  return found;
}

}  // namespace Strata
