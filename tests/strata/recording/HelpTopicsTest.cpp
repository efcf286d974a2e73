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
  const struct {
    const char* topic;
    std::filesystem::path path;
    std::string note;
  } cases[] = {
      {"tsl_tableview", dir / "tsl_tableview.html", ""},
      {"strata", dir / "strata.html", ""},
      {"tsl_nothing", dir / "strata.html",
       "The help topic \"tsl_nothing\" is missing; this is the program's own help."},
      {"../secret", dir / "strata.html",
       "The help topic \"../secret\" is missing; this is the program's own help."},
      {"", dir / "strata.html", "The help topic \"\" is missing; this is the program's own help."},
  };
  for (const auto& c : cases) {
    const HelpPage page = FindHelpTopic(dir.string(), c.topic);
    EXPECT_EQ(page.path, c.path) << c.topic;
    EXPECT_EQ(page.note, c.note) << c.topic;
  }
}

}  // namespace
}  // namespace Strata
