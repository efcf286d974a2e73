#pragma once

#include <cstdint>
#include <string_view>

#include <boost/dynamic_bitset.hpp>

#include "tessel/host/IByteStream.h"
#include "tessel/host/TickPosition.h"

namespace Kor {

// Writes the document stream's primitive values, little-endian and unpadded. After the first
// short write the stream counts as failed and every later write is skipped, so a writer never
// leaves a value half written after a gap.
class BinaryWriter {
 public:
  explicit BinaryWriter(Tessel::IByteStream* stream) : stream_(stream) {}

  bool Failed() const { return failed_; }

  void WriteInt32(std::int32_t value);
  // 0 or 1.
  void WriteFlag(bool value);
  void WriteDouble(double value);
  // The block word first, then the tick word.
  void WriteTickPosition(Tessel::TickPosition position);
  // Tag 0x80000001, the length N in UTF-16 units, -N as a check, then the UTF-16 units.
  void WriteString(std::string_view utf8);
  // Form tag 1, the number of bits, the word count W, -W as a check, then the words.
  void WriteBitSet(const boost::dynamic_bitset<std::uint32_t>& set);

 private:
  void WriteBytes(const void* data, std::uint32_t size);

  Tessel::IByteStream* stream_;
  bool failed_ = false;
};

}  // namespace Kor
