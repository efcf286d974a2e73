#include "strata/recording/HelpTopics.h"

#include <algorithm>
#include <filesystem>

namespace Strata {
namespace {

// Topic names are plain words: a name with a slash or a dot could reach outside the folder.
bool PlainName(std::string_view topic) {
  return !topic.empty() && std::all_of(topic.begin(), topic.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
  });
}

std::string PageOf(const std::string& folder, std::string_view topic) {
  return (std::filesystem::path(folder) / (std::string(topic) + ".html")).string();
}

}  // namespace

HelpPage FindHelpTopic(const std::string& folder, std::string_view topic) {
  if (PlainName(topic)) {
    const std::string path = PageOf(folder, topic);
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
      return HelpPage{path, {}};
    }
  }
  return HelpPage{PageOf(folder, kProgramTopic), "The help topic \"" + std::string(topic) +
                                                     "\" is missing; this is the " +
                                                     "program's own help."};
}

}  // namespace Strata
