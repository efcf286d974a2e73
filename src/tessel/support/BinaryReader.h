#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/dynamic_bitset.hpp>

#include "tessel/host/IByteStream.h"
#include "tessel/host/TickPosition.h"

namespace Kor {

// Reads the document stream's primitive values. After the first short read the stream counts as
// failed: that read and every later one is skipped and leaves its target unchanged, so a truncated
// stream leaves the remaining fields as they were. A malformed string or bit set is not a short
// read: it throws Tessel::FrameworkError with the string-format or stream-format code.
class BinaryReader {
 public:
  explicit BinaryReader(Tessel::IByteStream* stream) : stream_(stream) {}

  // Takes the stream header and returns the format level it names. A stream without the header
  // is level 1 and its first four bytes are read again as data.
  int ReadHeader();
  int FormatLevel() const { return level_; }
  void SetFormatLevel(int level) { level_ = level; }

  bool Failed() const { return failed_; }

  // Each returns true when the value was read and stored.
  bool ReadInt32(std::int32_t& value);
  bool ReadFlag(bool& value);
  bool ReadDouble(double& value);
  bool ReadTickPosition(Tessel::TickPosition& value);
  // Tagged UTF-16 or ANSI strings from level 10 on, byte-counted ANSI strings below it. ANSI
  // text is taken as Windows-1252, the code page such streams were written in.
  bool ReadString(std::string& value);
  // The current form: tag 1, bits, words, check, words.
  bool ReadBitSet(boost::dynamic_bitset<std::uint32_t>& value);
  // The older form: one word, the first 32 bits of an emptied set.
  bool ReadOldBitSet(boost::dynamic_bitset<std::uint32_t>& value);

 private:
  bool ReadBytes(void* buffer, std::uint32_t size);
  // count items of itemSize bytes, read in pieces so that a huge count in a short stream costs
  // no more memory than the bytes that are really there.
  bool ReadArray(std::uint64_t count, std::uint32_t itemSize, std::vector<std::uint8_t>& out);

  Tessel::IByteStream* stream_;
  std::vector<std::uint8_t> replay_;  // header bytes to be read again as data
  int level_ = 1;
  bool failed_ = false;
};

}  // namespace Kor
