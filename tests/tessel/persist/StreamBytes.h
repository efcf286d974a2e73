#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tessel/support/MemoryStream.h"

namespace Testing {

// Builds stream bytes by hand, independently of the writer under test, so that streams of old
// versions (which nothing writes any more) and damaged streams can be made in a few lines.
class StreamBytes {
 public:
  StreamBytes& Raw(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  StreamBytes& Int(std::int64_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
      bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    return *this;
  }
  StreamBytes& Double(double v) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 8; ++i) {
      bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    return *this;
  }
  StreamBytes& Pos(std::uint32_t block, std::uint32_t tick) { return Int(block).Int(tick); }
  // A tagged UTF-16 string; only ASCII and Latin-1 text is needed by the tests.
  StreamBytes& Str(const std::u16string& text) {
    Int(0x80000001u).Int(static_cast<std::int64_t>(text.size()));
    Int(-static_cast<std::int64_t>(text.size()));
    for (char16_t c : text) {
      bytes_.push_back(static_cast<std::uint8_t>(c));
      bytes_.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return *this;
  }
  // A byte-counted ANSI string of an old stream.
  StreamBytes& Ansi(const std::vector<std::uint8_t>& text) {
    return Int(static_cast<std::int64_t>(text.size())).Raw(text);
  }
  StreamBytes& Header(std::uint8_t level = 0x14) { return Raw({0xAA, 0xAA, level, 0x55}); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  size_t Size() const { return bytes_.size(); }
  Tessel::Ref<Kor::MemoryStream> Stream() const {
    return Tessel::MakeRef<Kor::MemoryStream>(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace Testing
