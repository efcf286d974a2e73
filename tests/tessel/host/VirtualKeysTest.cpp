#include "tessel/host/VirtualKeys.h"

#include <gtest/gtest.h>

#include "support/TestData.h"

namespace Tessel {
namespace {

TEST(VirtualKeysTest, KeysAndModifiersMakeTheShortcutCodesTheManagerStores) {
  for (const Testing::DataRow& c : Testing::DataTable("host/shortcut-codes.txt")) {
    EXPECT_EQ(ShortcutKeyCodeOf(c.Int(1), static_cast<std::uint32_t>(std::stoul(c[2], nullptr, 0))),
              static_cast<std::uint32_t>(std::stoul(c[3], nullptr, 0)))
        << c.where << " " << c[0];
  }
}

TEST(VirtualKeysTest, RepeatsAndReleasesSetTheirBits) {
  EXPECT_EQ(KeyDataOf(false, false), 0u);
  EXPECT_EQ(KeyDataOf(true, false), 0x40000000u);
  EXPECT_EQ(KeyDataOf(false, true), 0x80000000u);
}

}  // namespace
}  // namespace Tessel
