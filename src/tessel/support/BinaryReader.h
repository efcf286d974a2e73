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
//
// Each read may name its field (within a context such as a cell); a stream that ends early keeps
// the name of the field it ended in and its length, so that a reader of the document can tell
// which values were stored and which are defaults.
class BinaryReader {
 public:
  explicit BinaryReader(Tessel::IByteStream* stream) : stream_(stream) {}

  // Takes the stream header and returns the format level it names. A stream without the header
  // is level 1 and its first four bytes are read again as data.
  int ReadHeader();
  int FormatLevel() const { return level_; }
  void SetFormatLevel(int level) { level_ = level; }

  bool Failed() const { return failed_; }
  // After a short read: the bytes the stream held, and the field it ended in ("context field").
  std::uint64_t EndedAfter() const { return endedAfter_; }
  const std::string& EndedIn() const { return endedIn_; }
  // Names the part of the stream the next fields belong to ("" for none).
  void SetContext(std::string context) { context_ = std::move(context); }

  // Each returns true when the value was read and stored. A field name, when given, is what a
  // stream that ends inside this value reports.
  bool ReadInt32(std::int32_t& value, const char* field = nullptr);
  bool ReadFlag(bool& value, const char* field = nullptr);
  bool ReadDouble(double& value, const char* field = nullptr);
  bool ReadTickPosition(Tessel::TickPosition& value, const char* field = nullptr);
  // Tagged UTF-16 or ANSI strings from level 10 on, byte-counted ANSI strings below it. ANSI
  // text is taken as Windows-1252, the code page such streams were written in.
  bool ReadString(std::string& value, const char* field = nullptr);
  // The current form: tag 1, bits, words, check, words.
  bool ReadBitSet(boost::dynamic_bitset<std::uint32_t>& value, const char* field = nullptr);
  // The older form: one word, the first 32 bits of an emptied set.
  bool ReadOldBitSet(boost::dynamic_bitset<std::uint32_t>& value, const char* field = nullptr);

 private:
  bool ReadBytes(void* buffer, std::uint32_t size);
  void Name(const char* field) {
    if (field != nullptr) {
      field_ = field;
    }
  }
  // count items of itemSize bytes, read in pieces so that a huge count in a short stream costs
  // no more memory than the bytes that are really there.
  bool ReadArray(std::uint64_t count, std::uint32_t itemSize, std::vector<std::uint8_t>& out);

  Tessel::IByteStream* stream_;
  std::vector<std::uint8_t> replay_;  // header bytes to be read again as data
  int level_ = 1;
  bool failed_ = false;
  std::uint64_t position_ = 0;  // bytes taken, the replayed header bytes once
  const char* field_ = "header";
  std::string context_;
  std::uint64_t endedAfter_ = 0;
  std::string endedIn_;
};

}  // namespace Kor
