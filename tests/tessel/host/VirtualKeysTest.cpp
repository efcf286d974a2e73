#include "tessel/host/VirtualKeys.h"

#include <gtest/gtest.h>

namespace Tessel {
namespace {

// Toolkit key numbers as the toolkit defines them.
constexpr int kF1 = 0x01000030;
constexpr int kF2 = 0x01000031;
constexpr int kF3 = 0x01000032;
constexpr int kF24 = 0x01000047;
constexpr int kLeft = 0x01000012;
constexpr int kReturn = 0x01000004;
constexpr int kCapsLock = 0x01000024;

TEST(VirtualKeysTest, KeysAndModifiersMakeTheShortcutCodesTheManagerStores) {
  struct Case {
    int key;
    std::uint32_t modifiers;
    std::uint32_t code;
  };
  const Case cases[] = {
      {kF2, 0, 0x00710001},  // the default Mark Dose key
      {kF3, 0, 0x00720001},  // the default Add Response key
      {kF1, 0, 0x00700001},
      {kF24, 0, 0x00870001},
      {kF2, kToolkitShift, 0x00710005},
      {'M', kToolkitControl, 0x004D0009},
      {kF3, kToolkitAlt, 0x00720011},
      {'7', kToolkitControl | kToolkitShift, 0x0037000D},
      {kLeft, 0, 0x00250001},
      {kReturn, 0, 0x000D0001},
      {kCapsLock, 0, 0},  // no virtual key: no code
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortcutKeyCodeOf(c.key, c.modifiers), c.code) << std::hex << c.key;
  }
}

TEST(VirtualKeysTest, RepeatsAndReleasesSetTheirBits) {
  EXPECT_EQ(KeyDataOf(false, false), 0u);
  EXPECT_EQ(KeyDataOf(true, false), 0x40000000u);
  EXPECT_EQ(KeyDataOf(false, true), 0x80000000u);
}

}  // namespace
}  // namespace Tessel
