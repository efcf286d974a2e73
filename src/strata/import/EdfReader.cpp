#include "strata/import/EdfReader.h"

#include <edflib.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "strata/import/EdfAnnotations.h"
#include "strata/import/EdfRecordReader.h"
#include "strata/import/RateConversion.h"

namespace Strata {
namespace {

constexpr std::size_t kMaxHeaderBytes = 256 * 641;
constexpr std::size_t kChunkSamples = 1 << 18;  // samples converted per EDFlib call

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

enum class ReadOutcome { Read, Failed, Cancelled };

ReadOutcome ReadSignal(int handle, int signal, std::int64_t count, float* dest,
                       const ImportOptions& options, std::int64_t* done, std::int64_t total) {
  std::vector<double> buffer(std::min<std::int64_t>(count, kChunkSamples));
  for (std::int64_t at = 0; at < count;) {
    const int n = static_cast<int>(std::min<std::int64_t>(count - at, kChunkSamples));
    if (edfread_physical_samples(handle, signal, n, buffer.data()) != n) {
      return ReadOutcome::Failed;
    }
    std::transform(buffer.begin(), buffer.begin() + n, dest + at,
                   [](double v) { return static_cast<float>(v); });
    at += n;
    *done += n;
    if (options.progress && !options.progress(static_cast<double>(*done) / total)) {
      return ReadOutcome::Cancelled;
    }
  }
  return ReadOutcome::Read;
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
  ImportResult result = ReadContinuous(path, header, options);
  if (!result.ok && result.error == path + ": " + EdflibFault(EDFLIB_FILE_CONTAINS_FORMAT_ERRORS)) {
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
                                       const ImportOptions& options) {
  auto hdr = std::make_unique<edf_hdr_struct>();
  EdflibFile file;
  if (edfopen_file_readonly(path.c_str(), hdr.get(), EDFLIB_READ_ALL_ANNOTATIONS) != 0) {
    return ImportResult::Failure(path, EdflibFault(hdr->filetype));
  }
  file.handle = hdr->handle;

  // EDFlib hides the annotation signals; ours, in the same order, give titles and units.
  std::vector<const EdfSignalHeader*> data;
  for (const auto& sig : header.signals) {
    if (!sig.annotation) {
      data.push_back(&sig);
    }
  }
  if (data.size() != static_cast<std::size_t>(hdr->edfsignals)) {
    return ImportResult::Failure(path, "EDFlib sees a different number of signals than the header");
  }
  ImportResult result;
  result.format = header.FormatName();
  std::int32_t perRecord = 1;
  for (int s = 0; s < hdr->edfsignals; ++s) {
    perRecord = std::max(perRecord, hdr->signalparam[s].smp_in_datarecord);
  }
  const double recordSeconds =
      static_cast<double>(hdr->datarecord_duration) / EDFLIB_TIME_DIMENSION;
  const double blockHz = perRecord / recordSeconds;
  const auto ticks = static_cast<std::size_t>(hdr->datarecords_in_file * perRecord);
  Recording& rec = result.recording;
  const double startSeconds = static_cast<double>(hdr->starttime_subsecond) / EDFLIB_TIME_DIMENSION;
  rec.AddBlock(recordSeconds / perRecord, 0, startSeconds);

  std::int64_t done = 0;
  std::int64_t total = 0;
  for (int s = 0; s < hdr->edfsignals; ++s) {
    total += hdr->signalparam[s].smp_in_file;
  }
  for (int s = 0; s < hdr->edfsignals; ++s) {
    const edf_param_struct& p = hdr->signalparam[s];
    const std::string& title = data[static_cast<std::size_t>(s)]->label;
    if (p.smp_in_datarecord != perRecord) {
      result.warnings.push_back(RateMismatchWarning(options.rateMismatch, s, title,
                                                    p.smp_in_datarecord / recordSeconds, blockHz));
      if (options.rateMismatch == RateMismatch::LeaveOut) {
        done += p.smp_in_file;
        continue;
      }
    }
    const std::int32_t c = rec.AddChannel(title);
    Block& block = rec.BlockAt(0);
    block.units[static_cast<std::size_t>(c)] = data[static_cast<std::size_t>(s)]->physicalDimension;
    std::vector<float>& dest = block.samples[static_cast<std::size_t>(c)];
    const bool ownRate = p.smp_in_datarecord != perRecord;
    std::vector<float> ownSamples(ownRate ? static_cast<std::size_t>(p.smp_in_file) : 0);
    dest.resize(ticks);
    switch (ReadSignal(file.handle, s, p.smp_in_file, ownRate ? ownSamples.data() : dest.data(),
                       options, &done, total)) {
      case ReadOutcome::Failed:
        return ImportResult::Failure(path,
                                     "the samples of signal \"" + title + "\" cannot be read");
      case ReadOutcome::Cancelled:
        return ImportResult::Failure(path, "reading was cancelled");
      case ReadOutcome::Read:
        break;
    }
    if (ownRate) {
      InterpolateOntoTicks(ownSamples.data(), ownSamples.size(), p.smp_in_datarecord, perRecord,
                           dest.data(), ticks);
    }
  }
  if (rec.ChannelCount() == 0) {
    return ImportResult::Failure(path, "no channel is left to import");
  }

  std::vector<EdfAnnotation> annotations;
  for (long long n = 0; n < hdr->annotations_in_file; ++n) {
    edf_annotation_struct a{};
    if (edf_get_annotation(file.handle, static_cast<int>(n), &a) != 0) {
      return ImportResult::Failure(path, "annotation " + std::to_string(n + 1) + " cannot be read");
    }
    // EDFlib counts onsets from the first sample; ours count from the header's start time.
    annotations.push_back(
        EdfAnnotation{(a.onset + hdr->starttime_subsecond) * 100, a.annotation, 0});
  }
  const BlockSpan span{hdr->starttime_subsecond * 100, hdr->datarecord_duration * 100, perRecord,
                       static_cast<std::int64_t>(ticks)};
  PlaceAnnotations(annotations, {span}, &rec, &result.warnings);
  result.ok = true;
  return result;
}

}  // namespace Strata
