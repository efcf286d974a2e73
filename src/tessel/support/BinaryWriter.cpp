#include "tessel/support/BinaryWriter.h"

#include <bit>
#include <cstring>
#include <vector>

#include "tessel/support/StreamFormat.h"
#include "tessel/support/Strings.h"

namespace Kor {

void BinaryWriter::WriteBytes(const void* data, std::uint32_t size) {
  if (failed_) {
    return;
  }
  std::uint32_t written = 0;
  if (stream_ == nullptr || stream_->Write(data, size, &written) != Tessel::kOk ||
      written != size) {
    failed_ = true;
  }
}

void BinaryWriter::WriteInt32(std::int32_t value) {
  std::uint8_t bytes[4];
  StoreLe32(bytes, static_cast<std::uint32_t>(value));
  WriteBytes(bytes, sizeof bytes);
}

void BinaryWriter::WriteFlag(bool value) {
  WriteInt32(value ? 1 : 0);
}

void BinaryWriter::WriteDouble(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  std::uint8_t bytes[8];
  StoreLe32(bytes, static_cast<std::uint32_t>(bits));
  StoreLe32(bytes + 4, static_cast<std::uint32_t>(bits >> 32));
  WriteBytes(bytes, sizeof bytes);
}

void BinaryWriter::WriteTickPosition(Tessel::TickPosition position) {
  WriteInt32(static_cast<std::int32_t>(position.Block()));
  WriteInt32(static_cast<std::int32_t>(position.Tick()));
}

void BinaryWriter::WriteString(std::string_view utf8) {
  const std::u16string units = ToUtf16(utf8);
  const auto n = static_cast<std::int32_t>(units.size());
  WriteInt32(static_cast<std::int32_t>(kUnicodeStringTag));
  WriteInt32(n);
  WriteInt32(-n);
  std::vector<std::uint8_t> bytes(units.size() * 2);
  for (size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(units[i]);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
  }
  if (!bytes.empty()) {
    WriteBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  }
}

void BinaryWriter::WriteBitSet(const boost::dynamic_bitset<std::uint32_t>& set) {
  std::vector<std::uint32_t> words(set.num_blocks());
  boost::to_block_range(set, words.begin());
  const auto count = static_cast<std::int32_t>(words.size());
  WriteInt32(kBitSetFormTag);
  WriteInt32(static_cast<std::int32_t>(set.size()));
  WriteInt32(count);
  WriteInt32(-count);
  for (std::uint32_t word : words) {
    WriteInt32(static_cast<std::int32_t>(word));
  }
}

}  // namespace Kor
