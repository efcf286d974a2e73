#include "strata/recording/ShortcutKeyTable.h"

#include <gtest/gtest.h>

#include "support/TestData.h"
#include "tessel/host/Ref.h"
#include "tessel/host/VirtualKeys.h"

namespace Strata {
namespace {

using Tessel::kAccelControl;
using Tessel::kAccelVirtKey;

constexpr std::uint32_t Key(std::uint32_t virtualKey, std::uint32_t flags = 0) {
  return (virtualKey << 16) | kAccelVirtKey | flags;
}

// The text of the key a user presses is the name of that key: the toolkit's keys and the
// names meet in one table.
TEST(ShortcutKeyTableTest, PressedKeysReadAsTheirNames) {
  for (const Testing::DataRow& c : Testing::DataTable("host/shortcut-codes.txt")) {
    const auto modifiers = static_cast<std::uint32_t>(std::stoul(c[2], nullptr, 0));
    EXPECT_EQ(ShortcutKeyTable::KeyText(Tessel::ShortcutKeyCodeOf(c.Int(1), modifiers)), c[4])
        << c.where;
  }
  // No key, and a key no keyboard event of the desktop produces, have no text.
  EXPECT_EQ(ShortcutKeyTable::KeyText(0), "");
  EXPECT_EQ(ShortcutKeyTable::KeyText(Key(0x5B)), "");
}

class ShortcutKeyTableFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    manager_->RegisterCommand("Tessel", "Mark Dose", "Mark Dose", Key(0x71));
    manager_->RegisterCommand("Tessel", "Add Response", "Add Response", Key(0x72));
    manager_->RegisterCommand("Chart", "Zoom", "Zoom around the comment", 0);
  }
  Tessel::Ref<ShortcutKeyManager> manager_ = Tessel::MakeRef<ShortcutKeyManager>();
  ShortcutKeyTable table_{*manager_};
};

TEST_F(ShortcutKeyTableFixture, CommandsAreListedUnderTheirCategories) {
  std::vector<std::string> shown;
  for (const auto& row : table_.Rows()) {
    shown.push_back(row.heading ? "[" + row.category + "]"
                                : row.command + "|" + row.description + "|" + row.key);
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{"[Chart]", "Zoom|Zoom around the comment|", "[Tessel]",
                                      "Add Response|Add Response|F3", "Mark Dose|Mark Dose|F2"}));
  EXPECT_EQ(table_.FirstCommandOf("Tessel"), 3);
  EXPECT_EQ(table_.FirstCommandOf(""), 1);
  EXPECT_EQ(table_.FirstCommandOf("Nothing"), -1);
}

TEST_F(ShortcutKeyTableFixture, AKeyAnotherCommandHoldsIsRefusedNamingThatCommand) {
  const struct {
    const char* category;
    const char* command;
    std::uint32_t key;
    const char* answer;
    std::uint32_t markDoseKey;  // afterwards
  } steps[] = {
      {"Tessel", "Mark Dose", Key(0x72),
       "F3 is already the key of \"Add Response\" (Tessel). "
       "Clear it there first.",
       Key(0x71)},
      {"Chart", "Zoom", Key(0x71),
       "F2 is already the key of \"Mark Dose\" (Tessel). Clear it "
       "there first.",
       Key(0x71)},
      {"Tessel", "Mark Dose", Key(0x71), "", Key(0x71)},  // its own key again
      {"Tessel", "Mark Dose", Key('M', kAccelControl), "", Key('M', kAccelControl)},
      {"Chart", "Zoom", Key(0x71), "", Key('M', kAccelControl)},  // F2 is free now
      {"Tessel", "Mark Dose", 0, "", 0},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(table_.Assign(s.category, s.command, s.key), s.answer);
    EXPECT_EQ(manager_->Find("Tessel", "Mark Dose")->key, s.markDoseKey);
  }
  EXPECT_EQ(manager_->Find("Chart", "Zoom")->key, Key(0x71));
}

}  // namespace
}  // namespace Strata
