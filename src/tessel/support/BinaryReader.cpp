#include "tessel/support/BinaryReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "tessel/host/Status.h"
#include "tessel/support/AnsiText.h"
#include "tessel/support/StreamFormat.h"
#include "tessel/support/Strings.h"

namespace Kor {
namespace {

constexpr std::uint32_t kReadPiece = 1u << 16;

[[noreturn]] void Throw(std::uint32_t code) {
  throw Tessel::FrameworkError(code);
}

}  // namespace

bool BinaryReader::ReadBytes(void* buffer, std::uint32_t size) {
  if (failed_) {
    return false;
  }
  auto* out = static_cast<std::uint8_t*>(buffer);
  const auto replayed = static_cast<std::uint32_t>(std::min<size_t>(replay_.size(), size));
  if (replayed > 0) {
    std::memcpy(out, replay_.data(), replayed);
    replay_.erase(replay_.begin(), replay_.begin() + replayed);
  }
  const std::uint32_t rest = size - replayed;
  if (rest == 0) {
    position_ += size;
    return true;
  }
  std::uint32_t read = 0;
  if (stream_ == nullptr || stream_->Read(out + replayed, rest, &read) != Tessel::kOk ||
      read != rest) {
    failed_ = true;
    endedAfter_ = position_ + replayed + std::min(read, rest);
    endedIn_ = context_.empty() ? std::string(field_) : context_ + " " + field_;
    return false;
  }
  position_ += size;
  return true;
}

bool BinaryReader::ReadArray(std::uint64_t count, std::uint32_t itemSize,
                             std::vector<std::uint8_t>& out) {
  out.clear();
  std::uint64_t remaining = count * itemSize;
  while (remaining > 0) {
    const auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(remaining, kReadPiece));
    const size_t at = out.size();
    out.resize(at + piece);
    if (!ReadBytes(out.data() + at, piece)) {
      return false;
    }
    remaining -= piece;
  }
  return true;
}

int BinaryReader::ReadHeader() {
  std::uint8_t bytes[4] = {};
  if (!ReadBytes(bytes, sizeof bytes)) {
    level_ = 1;
    return level_;
  }
  if (bytes[0] == 0xAA && bytes[1] == 0xAA && bytes[3] == 0x55) {
    level_ = bytes[2];
  } else {
    level_ = 1;
    replay_.assign(bytes, bytes + sizeof bytes);
    position_ = 0;
  }
  return level_;
}

bool BinaryReader::ReadInt32(std::int32_t& value, const char* field) {
  Name(field);
  std::uint8_t bytes[4];
  if (!ReadBytes(bytes, sizeof bytes)) {
    return false;
  }
  value = static_cast<std::int32_t>(LoadLe32(bytes));
  return true;
}

bool BinaryReader::ReadFlag(bool& value, const char* field) {
  Name(field);
  std::int32_t v = 0;
  if (!ReadInt32(v)) {
    return false;
  }
  value = v != 0;
  return true;
}

bool BinaryReader::ReadDouble(double& value, const char* field) {
  Name(field);
  std::uint8_t bytes[8];
  if (!ReadBytes(bytes, sizeof bytes)) {
    return false;
  }
  const std::uint64_t bits = LoadLe32(bytes) | static_cast<std::uint64_t>(LoadLe32(bytes + 4))
                                                   << 32;
  value = std::bit_cast<double>(bits);
  return true;
}

bool BinaryReader::ReadTickPosition(Tessel::TickPosition& value, const char* field) {
  Name(field);
  std::int32_t block = 0;
  std::int32_t tick = 0;
  if (!ReadInt32(block) || !ReadInt32(tick)) {
    return false;
  }
  value = Tessel::TickPosition(static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(tick));
  return true;
}

bool BinaryReader::ReadString(std::string& value, const char* field) {
  Name(field);
  std::int32_t tag = 0;
  std::int32_t n = 0;
  std::vector<std::uint8_t> bytes;
  if (level_ < kTaggedStringLevel) {
    if (!ReadInt32(n)) {
      return false;
    }
    if (n < 0 || n > kMaxOldStringBytes) {
      Throw(Tessel::kErrStringFormat);
    }
    if (!ReadArray(static_cast<std::uint64_t>(n), 1, bytes)) {
      return false;
    }
    value = FromWindows1252(bytes);
    return true;
  }
  std::int32_t check = 0;
  if (!ReadInt32(tag) || !ReadInt32(n) || !ReadInt32(check)) {
    return false;
  }
  // Summed in 64 bits: a length of -2^31 must not wrap around to a matching check word.
  if (static_cast<std::int64_t>(n) + check != 0 || n < 0) {
    Throw(Tessel::kErrStringFormat);
  }
  const bool utf16 = (static_cast<std::uint32_t>(tag) & 0x80000000u) != 0;
  if (!ReadArray(static_cast<std::uint64_t>(n), utf16 ? 2 : 1, bytes)) {
    return false;
  }
  if (!utf16) {
    value = FromWindows1252(bytes);
    return true;
  }
  std::u16string units(static_cast<size_t>(n), u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  }
  value = FromUtf16(units);
  return true;
}

bool BinaryReader::ReadBitSet(boost::dynamic_bitset<std::uint32_t>& value, const char* field) {
  Name(field);
  std::int32_t form = 0;
  std::int32_t bits = 0;
  std::int32_t count = 0;
  std::int32_t check = 0;
  if (!ReadInt32(form)) {
    return false;
  }
  if (form != kBitSetFormTag) {
    Throw(Tessel::kErrStreamVersion);
  }
  if (!ReadInt32(bits) || !ReadInt32(count) || !ReadInt32(check)) {
    return false;
  }
  if (static_cast<std::int64_t>(count) + check != 0 || count < 0 || bits < 0) {
    Throw(Tessel::kErrStringFormat);
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadArray(static_cast<std::uint64_t>(count), 4, bytes)) {
    return false;
  }
  std::vector<std::uint32_t> words(static_cast<size_t>(count));
  for (size_t i = 0; i < words.size(); ++i) {
    words[i] = LoadLe32(bytes.data() + 4 * i);
  }
  boost::dynamic_bitset<std::uint32_t> set(words.begin(), words.end());
  // Bits beyond the stored words carry nothing; a larger count would only cost memory.
  set.resize(std::min<size_t>(static_cast<size_t>(bits), set.size()));
  value = std::move(set);
  return true;
}

bool BinaryReader::ReadOldBitSet(boost::dynamic_bitset<std::uint32_t>& value, const char* field) {
  Name(field);
  std::int32_t word = 0;
  if (!ReadInt32(word)) {
    return false;
  }
  value = boost::dynamic_bitset<std::uint32_t>(32, static_cast<std::uint32_t>(word));
  return true;
}

}  // namespace Kor
