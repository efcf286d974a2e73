#include <gtest/gtest.h>

#include <filesystem>

#include "strata/storage/RecentFiles.h"

namespace Strata {
namespace {

std::string Abs(const std::string& name) {
  return (std::filesystem::current_path() / name).lexically_normal().string();
}

TEST(RecentFilesTest, NewestFirstEachOnceAtMostEight) {
  RecentFiles recent;
  for (const char* f : {"a.edf", "b.edf", "c.edf", "./a.edf"}) {
    recent.Add(f);
  }
  EXPECT_EQ(recent.Files(), (std::vector<std::string>{Abs("a.edf"), Abs("c.edf"), Abs("b.edf")}));
  for (int i = 0; i < 10; ++i) {
    recent.Add("r" + std::to_string(i) + ".strata");
  }
  ASSERT_EQ(recent.Files().size(), RecentFiles::kMost);
  EXPECT_EQ(recent.Files().front(), Abs("r9.strata"));
  EXPECT_EQ(recent.Files().back(), Abs("r2.strata"));
  recent.Remove("r5.strata");
  EXPECT_EQ(recent.Files().size(), RecentFiles::kMost - 1);

  // Read back from settings, the stored order is kept.
  const RecentFiles stored(recent.Files());
  EXPECT_EQ(stored.Files(), recent.Files());
}

TEST(RecentFilesTest, MenuTextShowsTheNameWithANumberAndAnAmpersandAsItself) {
  const RecentFiles recent({"/data/bath & co.edf"});
  EXPECT_EQ(recent.MenuText(0), "&1 bath && co.edf  (/data)");
}

}  // namespace
}  // namespace Strata
