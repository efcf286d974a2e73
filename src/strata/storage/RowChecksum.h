#pragma once

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

namespace Strata {

// The checksum stored beside every record of a .strata file: CRC-32 over the record's values,
// each integer and real as 8 bytes and each text or blob with its length first, so that values
// that merely moved between fields do not give the same sum. SQLite keeps no checksum of its own:
// without this, a damaged byte in a page would open as a changed sample or label.
class RowChecksum {
 public:
  RowChecksum& Add(std::int64_t value) { return Word(static_cast<std::uint64_t>(value)); }
  RowChecksum& Add(double value) { return Word(std::bit_cast<std::uint64_t>(value)); }
  RowChecksum& Add(std::string_view bytes) { return Add(bytes.data(), bytes.size()); }
  RowChecksum& Add(const void* data, std::size_t size) {
    Word(size);
    const auto* p = static_cast<const Bytef*>(data);
    // zlib takes lengths of at most 4 GiB at a time.
    for (std::size_t done = 0; done < size;) {
      const std::size_t piece = std::min<std::size_t>(size - done, 1u << 30);
      crc_ = ::crc32(crc_, p + done, static_cast<uInt>(piece));
      done += piece;
    }
    return *this;
  }
  std::int64_t Value() const { return static_cast<std::int64_t>(crc_); }

 private:
  RowChecksum& Word(std::uint64_t v) {
    Bytef bytes[8];
    for (int i = 0; i < 8; ++i) {
      bytes[i] = static_cast<Bytef>(v >> (8 * i));
    }
    crc_ = ::crc32(crc_, bytes, sizeof bytes);
    return *this;
  }

  uLong crc_ = ::crc32(0L, Z_NULL, 0);
};

}  // namespace Strata
