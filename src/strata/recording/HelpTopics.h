#pragma once

#include <string>
#include <string_view>

namespace Strata {

// The program's own topic, shown for F1 where nothing more particular applies and in place of a
// topic that is missing.
inline constexpr std::string_view kProgramTopic = "strata";

struct HelpPage {
  std::string path;  // the topic's HTML file
  std::string note;  // "" or a line telling the user the topic asked for is missing
};

// The page of a topic in the help folder (one "<topic>.html" per topic): the program's own page,
// with a note, when the topic has no file or its name is not a plain topic name.
HelpPage FindHelpTopic(const std::string& folder, std::string_view topic);

}  // namespace Strata
