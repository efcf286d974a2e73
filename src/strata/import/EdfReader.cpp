#include "strata/import/EdfReader.h"

#include <edflib.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "strata/import/EdfAnnotations.h"
#include "strata/import/EdfRecordReader.h"
#include "strata/import/EdfSignalPlan.h"
#include "strata/import/RateConversion.h"

namespace Strata {
namespace {

constexpr std::size_t kMaxHeaderBytes = 256 * 641;
constexpr std::size_t kRunBytes = 1 << 22;  // data records read at once, in bytes

std::string EdflibFault(int code) {
  switch (code) {
    case EDFLIB_MALLOC_ERROR:
      return "not enough memory to open the file";
    case EDFLIB_NO_SUCH_FILE_OR_DIRECTORY:
      return "the file does not exist";
    case EDFLIB_FILE_CONTAINS_FORMAT_ERRORS:
      return "EDFlib found format errors in the file (header fields or annotations that break "
             "the EDF rules)";
    case EDFLIB_MAXFILES_REACHED:
      return "too many EDF files are open";
    case EDFLIB_FILE_READ_ERROR:
      return "the file could not be read";
    case EDFLIB_FILE_ALREADY_OPENED:
      return "the file is already open";
    case EDFLIB_FILE_IS_DISCONTINUOUS:
      return "the file is discontinuous";
    default:
      return "EDFlib could not open the file (error " + std::to_string(code) + ")";
  }
}

// Closes the EDFlib handle on every way out.
struct EdflibFile {
  int handle = -1;
  ~EdflibFile() {
    if (handle >= 0) {
      edfclose_file(handle);
    }
  }
};

// EDFlib checks the file against the EDF rules and reads its annotations, onsets counted from
// the header's start time. Returns the fault, or empty.
std::string ReadAnnotations(const std::string& path, std::int64_t* startNs,
                            std::vector<EdfAnnotation>* annotations, bool* formatRefused) {
  auto hdr = std::make_unique<edf_hdr_struct>();
  EdflibFile file;
  if (edfopen_file_readonly(path.c_str(), hdr.get(), EDFLIB_READ_ALL_ANNOTATIONS) != 0) {
    *formatRefused = hdr->filetype == EDFLIB_FILE_CONTAINS_FORMAT_ERRORS;
    return EdflibFault(hdr->filetype);
  }
  file.handle = hdr->handle;
  *startNs = hdr->starttime_subsecond * 100;
  for (long long n = 0; n < hdr->annotations_in_file; ++n) {
    edf_annotation_struct a{};
    if (edf_get_annotation(file.handle, static_cast<int>(n), &a) != 0) {
      return "annotation " + std::to_string(n + 1) + " cannot be read";
    }
    // EDFlib counts onsets from the first sample.
    annotations->push_back(EdfAnnotation{a.onset * 100 + *startNs, a.annotation, 0});
  }
  return {};
}

// Reads the data records in large runs and decodes every kept signal straight into its place:
// EDFlib's per-signal reads cost a seek and a read per record and signal, several times the
// time of the whole import on long recordings.
std::string ReadSamples(const std::string& path, const EdfHeader& h, const SignalLayout& layout,
                        const ImportOptions& options, Block* block,
                        std::vector<std::vector<float>>* own) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(h.headerBytes);
  const auto recordBytes = static_cast<std::size_t>(h.RecordBytes());
  const std::int64_t perRun = std::max<std::int64_t>(1, kRunBytes / recordBytes);
  std::string bytes;
  for (std::int64_t r = 0; r < h.records; r += perRun) {
    const std::int64_t n = std::min(perRun, h.records - r);
    bytes.resize(static_cast<std::size_t>(n) * recordBytes);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
      return "data record " + std::to_string(r + 1) + " cannot be read";
    }
    for (std::size_t s = 0; s < layout.plans.size(); ++s) {
      const SignalPlan& plan = layout.plans[s];
      if (plan.channel < 0) {
        continue;
      }
      const std::int32_t count = h.signals[s].samplesPerRecord;
      float* out = plan.interpolate ? (*own)[s].data() : block->samples[plan.channel].data();
      for (std::int64_t i = 0; i < n; ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) +
                        static_cast<std::size_t>(i) * recordBytes + plan.byteOffset;
        DecodeSamples(p, count, h.bdf, h.signals[s], out + (r + i) * count);
      }
    }
    if (options.progress && !options.progress(static_cast<double>(r + n) / h.records)) {
      return "reading was cancelled";
    }
  }
  return {};
}

}  // namespace

std::string ReadEdfHeader(const std::string& path, EdfHeader* header) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return "the file cannot be opened";
  }
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::uint64_t>(in.tellg());
  in.seekg(0);
  std::string head(std::min<std::uint64_t>(size, kMaxHeaderBytes), '\0');
  if (!in.read(head.data(), static_cast<std::streamsize>(head.size()))) {
    return "the file cannot be read";
  }
  if (std::string bad = ParseEdfHeader(head, header); !bad.empty()) {
    return bad;
  }
  return CheckEdfFileSize(*header, size);
}

ImportResult EdfReader::Read(const std::string& path, const ImportOptions& options) const {
  EdfHeader header;
  if (std::string bad = ReadEdfHeader(path, &header); !bad.empty()) {
    return ImportResult::Failure(path, bad);
  }
  if (header.discontinuous) {
    return EdfRecordReader(header).Read(path, options);
  }
  bool formatRefused = false;
  ImportResult result = ReadContinuous(path, header, options, &formatRefused);
  if (formatRefused) {
    // Our header check passed, so the file is readable; EDFlib is stricter about layout.
    result = EdfRecordReader(header).Read(path, options);
    if (result.ok) {
      result.warnings.insert(result.warnings.begin(),
                             ImportWarning{ImportWarning::Kind::Other, 0, -1,
                                           "EDFlib refused the file as not following the EDF "
                                           "rules strictly; it was read record by record "
                                           "instead."});
    }
  }
  return result;
}

ImportResult EdfReader::ReadContinuous(const std::string& path, const EdfHeader& header,
                                       const ImportOptions& options, bool* formatRefused) {
  std::int64_t startNs = 0;
  std::vector<EdfAnnotation> annotations;
  if (std::string bad = ReadAnnotations(path, &startNs, &annotations, formatRefused);
      !bad.empty()) {
    return ImportResult::Failure(path, bad);
  }
  ImportResult result;
  result.format = header.FormatName();
  Recording& rec = result.recording;
  const SignalLayout layout = PlanSignals(header, options.rateMismatch, &rec, &result.warnings);
  if (rec.ChannelCount() == 0) {
    return ImportResult::Failure(path, "no channel is left to import");
  }
  const auto ticks = static_cast<std::size_t>(header.records * layout.perRecord);
  rec.AddBlock(header.RecordSeconds() / layout.perRecord, 0, static_cast<double>(startNs) * 1e-9);
  Block& block = rec.BlockAt(0);
  std::vector<std::vector<float>> own(layout.plans.size());
  for (std::size_t s = 0; s < layout.plans.size(); ++s) {
    const SignalPlan& plan = layout.plans[s];
    if (plan.channel >= 0) {
      block.units[plan.channel] = header.signals[s].physicalDimension;
      block.samples[plan.channel].resize(ticks);
      if (plan.interpolate) {
        own[s].resize(
            static_cast<std::size_t>(header.records * header.signals[s].samplesPerRecord));
      }
    }
  }
  if (std::string bad = ReadSamples(path, header, layout, options, &block, &own); !bad.empty()) {
    return ImportResult::Failure(path, bad);
  }
  for (std::size_t s = 0; s < layout.plans.size(); ++s) {
    if (layout.plans[s].channel >= 0 && layout.plans[s].interpolate) {
      InterpolateOntoTicks(own[s].data(), own[s].size(), header.signals[s].samplesPerRecord,
                           layout.perRecord, block.samples[layout.plans[s].channel].data(), ticks);
    }
  }
  const BlockSpan span{startNs, header.recordDurationNs, layout.perRecord,
                       static_cast<std::int64_t>(ticks)};
  PlaceAnnotations(annotations, {span}, &rec, &result.warnings);
  result.ok = true;
  return result;
}

}  // namespace Strata
