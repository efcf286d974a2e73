#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Strata {

// One signal of an EDF or BDF header, its fields trimmed of the padding spaces.
struct EdfSignalHeader {
  std::string label;
  std::string transducer;
  std::string physicalDimension;
  std::string prefilter;
  double physicalMin = 0.0;
  double physicalMax = 0.0;
  std::int32_t digitalMin = 0;
  std::int32_t digitalMax = 0;
  std::int32_t samplesPerRecord = 0;
  bool annotation = false;  // an "EDF Annotations" / "BDF Annotations" signal

  // Digital to physical: the straight line through (digitalMin, physicalMin) and (digitalMax,
  // physicalMax), the same mapping EDF writers quantise with.
  double Gain() const {
    return (physicalMax - physicalMin) / static_cast<double>(digitalMax - digitalMin);
  }
  double Offset() const { return physicalMax / Gain() - digitalMax; }
};

// The fixed header of an EDF, EDF+, BDF or BDF+ file, checked field by field.
struct EdfHeader {
  bool bdf = false;
  bool plus = false;
  bool discontinuous = false;
  std::string patient;
  std::string recordingId;
  std::string startDate;  // dd.mm.yy
  std::string startTime;  // hh.mm.ss
  std::int64_t headerBytes = 0;
  std::int64_t records = 0;
  std::int64_t recordDurationNs = 0;  // nanoseconds per data record
  std::vector<EdfSignalHeader> signals;

  int BytesPerSample() const { return bdf ? 3 : 2; }
  std::int64_t RecordBytes() const;
  std::string FormatName() const;
  double RecordSeconds() const { return static_cast<double>(recordDurationNs) * 1e-9; }
};

// Reads the header from the first bytes of a file (at least the whole header when the file holds
// it). Returns the fault in the user's words, or an empty string when the header is sound.
std::string ParseEdfHeader(std::string_view bytes, EdfHeader* header);

// Checks that the file's size matches the announced records; the fault or empty.
std::string CheckEdfFileSize(const EdfHeader& header, std::uint64_t fileSize);

// True when bytes start with the signature of an EDF or a BDF file.
bool HasEdfSignature(std::string_view bytes);

// Reads a time in seconds written as decimal text ("12", "+0.25", "-3.5") into nanoseconds; false
// when the text is not such a number. Digits beyond nanoseconds are dropped.
bool ParseSecondsNs(std::string_view text, std::int64_t* ns);

}  // namespace Strata
