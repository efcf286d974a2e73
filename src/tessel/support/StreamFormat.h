#pragma once

#include <cstdint>

namespace Kor {

// Tags of the document stream's composite values.
inline constexpr std::uint32_t kUnicodeStringTag = 0x80000001u;  // top bit: UTF-16 units follow
inline constexpr std::int32_t kBitSetFormTag = 1;

// The longest string of an old (format level below 10) stream, in bytes.
inline constexpr std::int32_t kMaxOldStringBytes = 64000;

// Streams from this format level on write strings with a tag and a check word.
inline constexpr int kTaggedStringLevel = 10;

inline void StoreLe32(std::uint8_t* out, std::uint32_t v) {
  out[0] = static_cast<std::uint8_t>(v);
  out[1] = static_cast<std::uint8_t>(v >> 8);
  out[2] = static_cast<std::uint8_t>(v >> 16);
  out[3] = static_cast<std::uint8_t>(v >> 24);
}

inline std::uint32_t LoadLe32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
         static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

}  // namespace Kor
