#include "strata/import/EdfRecordReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "strata/import/EdfAnnotations.h"
#include "strata/import/EdfSignalPlan.h"
#include "strata/import/RateConversion.h"

namespace Strata {
namespace {

constexpr std::int64_t kNoTime = INT64_MIN;

std::string SecondsText(std::int64_t ns) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9g s", static_cast<double>(ns) * 1e-9);
  return buffer;
}

class Assembler {
 public:
  Assembler(const EdfHeader& h, const ImportOptions& options, ImportResult* result)
      : h_(h), result_(result) {
    SignalLayout layout =
        PlanSignals(h, options.rateMismatch, &result->recording, &result->warnings);
    perRecord_ = layout.perRecord;
    plans_ = std::move(layout.plans);
    raw_.resize(plans_.size());
  }

  bool HasChannels() const { return result_->recording.ChannelCount() > 0; }

  // One data record; the fault or empty.
  std::string Add(std::int64_t record, const std::string& bytes) {
    std::int64_t start = kNoTime;
    std::vector<EdfAnnotation> found;
    bool timeKept = false;
    for (std::size_t s = 0; s < plans_.size(); ++s) {
      const EdfSignalHeader& sig = h_.signals[s];
      if (!sig.annotation) {
        continue;
      }
      const std::string_view text(
          bytes.data() + plans_[s].byteOffset,
          static_cast<std::size_t>(sig.samplesPerRecord) * h_.BytesPerSample());
      std::string bad = ParseTals(text, timeKept ? nullptr : &start, &found);
      if (!bad.empty()) {
        return "data record " + std::to_string(record + 1) + ": " + bad;
      }
      timeKept = true;
    }
    if (!h_.plus) {
      start = record * h_.recordDurationNs;
    }
    if (start == kNoTime) {
      return "data record " + std::to_string(record + 1) + " has no time-keeping annotation";
    }
    if (std::string bad = StartRecord(record, start); !bad.empty()) {
      return bad;
    }
    for (auto& a : found) {
      a.block = result_->recording.BlockCount() - 1;
      annotations_.push_back(std::move(a));
    }
    Block& block = result_->recording.BlockAt(result_->recording.BlockCount() - 1);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t s = 0; s < plans_.size(); ++s) {
      const SignalPlan& plan = plans_[s];
      if (plan.channel < 0) {
        continue;
      }
      std::vector<float>& out = plan.interpolate ? raw_[s] : block.samples[plan.channel];
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(h_.signals[s].samplesPerRecord));
      DecodeSamples(p + plan.byteOffset, h_.signals[s].samplesPerRecord, h_.bdf, h_.signals[s],
                    out.data() + at);
    }
    spans_.back().ticks += perRecord_;
    return {};
  }

  void Finish() {
    FlushBlock();
    PlaceAnnotations(annotations_, spans_, &result_->recording, &result_->warnings);
  }

 private:
  std::string StartRecord(std::int64_t record, std::int64_t start) {
    const std::int64_t halfTick = h_.recordDurationNs / perRecord_ / 2;
    if (!spans_.empty()) {
      const std::int64_t expected = lastStart_ + h_.recordDurationNs;
      if (start < expected - halfTick) {
        return "data record " + std::to_string(record + 1) + " starts at " + SecondsText(start) +
               ", before the record before it ends (" + SecondsText(expected) + ")";
      }
      if (start <= expected + halfTick) {
        lastStart_ = start;
        return {};
      }
      FlushBlock();
    }
    Recording& rec = result_->recording;
    const std::int32_t b =
        rec.AddBlock(static_cast<double>(h_.recordDurationNs) * 1e-9 / perRecord_, 0,
                     static_cast<double>(start) * 1e-9);
    for (std::size_t s = 0; s < plans_.size(); ++s) {
      if (plans_[s].channel >= 0) {
        rec.BlockAt(b).units[plans_[s].channel] = h_.signals[s].physicalDimension;
      }
    }
    spans_.push_back(BlockSpan{start, h_.recordDurationNs, perRecord_, 0});
    lastStart_ = start;
    return {};
  }

  // Puts the interpolated channels of the finished block onto its ticks.
  void FlushBlock() {
    if (spans_.empty()) {
      return;
    }
    Block& block = result_->recording.BlockAt(result_->recording.BlockCount() - 1);
    for (std::size_t s = 0; s < plans_.size(); ++s) {
      if (plans_[s].channel >= 0 && plans_[s].interpolate) {
        std::vector<float>& dest = block.samples[plans_[s].channel];
        dest.resize(static_cast<std::size_t>(spans_.back().ticks));
        InterpolateOntoTicks(raw_[s].data(), raw_[s].size(), h_.signals[s].samplesPerRecord,
                             perRecord_, dest.data(), dest.size());
        raw_[s].clear();
      }
    }
  }

  const EdfHeader& h_;
  ImportResult* result_;
  std::int32_t perRecord_ = 1;
  std::vector<SignalPlan> plans_;
  std::vector<std::vector<float>> raw_;  // per signal, the interpolated ones' own samples
  std::vector<BlockSpan> spans_;
  std::vector<EdfAnnotation> annotations_;
  std::int64_t lastStart_ = 0;
};

}  // namespace

ImportResult EdfRecordReader::Read(const std::string& path, const ImportOptions& options) const {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return ImportResult::Failure(path, "the file cannot be opened");
  }
  ImportResult result;
  result.format = header_.FormatName();
  Assembler assembler(header_, options, &result);
  if (!assembler.HasChannels()) {
    return ImportResult::Failure(path, "no channel is left to import");
  }
  in.seekg(header_.headerBytes);
  std::string bytes(static_cast<std::size_t>(header_.RecordBytes()), '\0');
  for (std::int64_t r = 0; r < header_.records; ++r) {
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
      return ImportResult::Failure(path,
                                   "data record " + std::to_string(r + 1) + " cannot be read");
    }
    if (std::string bad = assembler.Add(r, bytes); !bad.empty()) {
      return ImportResult::Failure(path, bad);
    }
    if (options.progress && r % 64 == 63 &&
        !options.progress(static_cast<double>(r + 1) / header_.records)) {
      return ImportResult::Failure(path, "reading was cancelled");
    }
  }
  assembler.Finish();
  result.ok = true;
  return result;
}

}  // namespace Strata
