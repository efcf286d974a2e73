#include "strata/recording/HelpTopics.h"

#include <gtest/gtest.h>

#include "support/TempFiles.h"

namespace Strata {
namespace {

// A topic is its own page; anything else falls back to the program's page and says which
// topic is missing, also a name that would reach outside the help folder.
TEST(HelpTopicsTest, TopicsAndTheirFallback) {
  Testing::TempDir root;
  const std::filesystem::path dir = root.path() / "help";
  std::filesystem::create_directory(dir);
  Testing::WriteFile(dir / "strata.html", "<title>Strata</title>");
  Testing::WriteFile(dir / "tsl_tableview.html", "<title>Table</title>");
  Testing::WriteFile(root.path() / "secret.html", "");
  const std::pair<std::string, std::string> cases[] = {
      {"tsl_tableview", "tsl_tableview.html"},
      {"strata", "strata.html"},
      {"tsl_nothing", ""},  // none: the program's own page, with a note
      {"../secret", ""},
      {"", ""},
  };
  for (const auto& [topic, page] : cases) {
    const HelpPage found = FindHelpTopic(dir.string(), topic);
    EXPECT_EQ(found.path, dir / (page.empty() ? "strata.html" : page)) << topic;
    EXPECT_EQ(found.note, page.empty() ? "The help topic \"" + topic +
                                             "\" is missing; this is the program's own help."
                                       : "")
        << topic;
  }
}

}  // namespace
}  // namespace Strata
