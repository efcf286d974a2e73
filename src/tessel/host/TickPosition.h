#pragma once

#include <compare>
#include <cstdint>

namespace Tessel {

// A place in the recording: block index in the high word, tick offset in the low word. Kept as one
// 64-bit number so that positions compare block first with a single comparison.
class TickPosition {
 public:
  constexpr TickPosition() = default;
  constexpr TickPosition(std::uint32_t block, std::uint32_t tick)
      : value_((static_cast<std::uint64_t>(block) << 32) | tick) {}

  static constexpr TickPosition FromValue(std::uint64_t v) {
    TickPosition p;
    p.value_ = v;
    return p;
  }

  constexpr std::uint32_t Block() const { return static_cast<std::uint32_t>(value_ >> 32); }
  constexpr std::uint32_t Tick() const { return static_cast<std::uint32_t>(value_); }
  constexpr std::uint64_t Value() const { return value_; }

  constexpr auto operator<=>(const TickPosition&) const = default;

 private:
  std::uint64_t value_ = 0;
};

}  // namespace Tessel
