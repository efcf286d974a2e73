#include "strata/import/EdfWriter.h"

#include <edflib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace Strata {
namespace {

// Samples per data record and the record length in EDFlib's 10 µs units, for a sample interval
// that is a whole number of samples in one second (or a whole number of seconds per sample).
bool RecordLayout(double interval, int* perRecord, int* duration10us) {
  const double rate = 1.0 / interval;
  if (std::fabs(rate - std::round(rate)) < 1e-9 * rate && std::round(rate) >= 1.0) {
    *perRecord = static_cast<int>(std::round(rate));
    *duration10us = 100000;
    return true;
  }
  if (std::fabs(interval - std::round(interval)) < 1e-9 * interval && interval <= 60.0) {
    *perRecord = 1;
    *duration10us = static_cast<int>(std::round(interval)) * 100000;
    return true;
  }
  return false;
}

// The channel's range rounded outwards to whole units, so that header fields stay short and
// every sample fits.
void PhysicalRange(const std::vector<float>& samples, double* lo, double* hi) {
  double mn = 0.0;
  double mx = 0.0;
  if (!samples.empty()) {
    const auto [a, b] = std::minmax_element(samples.begin(), samples.end());
    mn = *a;
    mx = *b;
  }
  *lo = std::floor(mn) - 1.0;
  *hi = std::ceil(mx) + 1.0;
}

std::string Configure(int handle, const Recording& rec, int perRecord, int duration10us,
                      const EdfStartTime& start) {
  const Block& block = rec.BlockAt(0);
  if (edf_set_datarecord_duration(handle, duration10us) != 0 ||
      edf_set_startdatetime(handle, start.year, start.month, start.day, start.hour, start.minute,
                            start.second) != 0 ||
      edf_set_equipment(handle, "Strata") != 0) {
    return "EDFlib refused the header";
  }
  for (int c = 0; c < rec.ChannelCount(); ++c) {
    double lo = 0.0;
    double hi = 0.0;
    PhysicalRange(block.samples[static_cast<std::size_t>(c)], &lo, &hi);
    if (edf_set_samplefrequency(handle, c, perRecord) != 0 ||
        edf_set_physical_maximum(handle, c, hi) != 0 ||
        edf_set_physical_minimum(handle, c, lo) != 0 ||
        edf_set_digital_maximum(handle, c, 32767) != 0 ||
        edf_set_digital_minimum(handle, c, -32768) != 0 ||
        edf_set_label(handle, c, rec.ChannelAt(c).title.c_str()) != 0 ||
        edf_set_physical_dimension(handle, c, block.units[static_cast<std::size_t>(c)].c_str()) !=
            0) {
      return "EDFlib refused the header of channel \"" + rec.ChannelAt(c).title + "\"";
    }
  }
  return {};
}

std::string WriteData(int handle, const Recording& rec, int perRecord) {
  const Block& block = rec.BlockAt(0);
  std::vector<double> buffer(static_cast<std::size_t>(perRecord));
  for (std::uint32_t at = 0; at < block.Ticks(); at += static_cast<std::uint32_t>(perRecord)) {
    for (const auto& samples : block.samples) {
      std::copy(samples.begin() + at, samples.begin() + at + perRecord, buffer.begin());
      if (edfwrite_physical_samples(handle, buffer.data()) != 0) {
        return "EDFlib could not write the samples";
      }
    }
  }
  for (const Comment& c : rec.Comments()) {
    const double seconds = block.startTime + c.position.Tick() * block.interval;
    std::string text = c.text;
    if (c.channel >= 0) {
      text += "@@" + rec.ChannelAt(c.channel).title;
    }
    // EDFlib takes onsets in units of 100 µs.
    if (edfwrite_annotation_utf8(handle, std::llround(seconds * 10000.0), -1, text.c_str()) != 0) {
      return "EDFlib could not write the annotation \"" + c.text + "\"";
    }
  }
  return {};
}

// Writes the whole file at path (no temporary name); "" or the fault.
std::string WriteFile(const Recording& rec, const std::string& path, const EdfStartTime& start) {
  if (rec.BlockCount() != 1 || rec.ChannelCount() == 0) {
    return "an EDF+ file is written from a recording of one block with at least one channel";
  }
  int perRecord = 0;
  int duration10us = 0;
  if (!RecordLayout(rec.BlockAt(0).interval, &perRecord, &duration10us)) {
    return "the sample interval does not fit whole EDF data records";
  }
  if (rec.BlockAt(0).Ticks() == 0 || rec.BlockAt(0).Ticks() % perRecord != 0) {
    return "the recording does not fill a whole number of EDF data records";
  }
  const int handle =
      edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, rec.ChannelCount());
  if (handle == EDFLIB_NO_SUCH_FILE_OR_DIRECTORY) {
    return "the file cannot be created: its folder does not exist or cannot be written";
  }
  if (handle < 0) {
    return "the file cannot be created (EDFlib error " + std::to_string(handle) + ")";
  }
  std::string fault = Configure(handle, rec, perRecord, duration10us, start);
  if (fault.empty()) {
    fault = WriteData(handle, rec, perRecord);
  }
  if (edfclose_file(handle) != 0 && fault.empty()) {
    fault = "the file could not be completed";
  }
  return fault;
}

// The size an EDF file's header gives it: the header bytes, then the data records, each the
// signals' samples per record times two bytes. -1 when the header cannot say.
long long DeclaredSize(const std::string& bytes) {
  if (bytes.size() < 256) {
    return -1;
  }
  const auto field = [&bytes](size_t at, size_t width) {
    try {
      return std::stoll(bytes.substr(at, width));
    } catch (const std::exception&) {
      return -1LL;
    }
  };
  const long long headerBytes = field(184, 8);
  const long long records = field(236, 8);
  const long long signals = field(252, 4);
  if (headerBytes != 256 * (signals + 1) || static_cast<long long>(bytes.size()) < headerBytes ||
      records < 0) {
    return -1;
  }
  long long perRecord = 0;
  const size_t samplesAt = 256 + static_cast<size_t>(signals) * 216;
  for (long long s = 0; s < signals; ++s) {
    perRecord += field(samplesAt + static_cast<size_t>(s) * 8, 8);
  }
  return headerBytes + records * perRecord * 2;
}

}  // namespace

std::string WriteEdfPlus(const Recording& rec, const std::string& path, const EdfStartTime& start) {
  const std::string part = path + ".part";
  std::string fault = WriteFile(rec, part, start);
  std::error_code ec;
  if (fault.empty()) {
    std::filesystem::rename(part, path, ec);
    if (ec) {
      fault = "the file cannot be put in place: " + ec.message();
    }
  }
  if (!fault.empty()) {
    std::filesystem::remove(part, ec);
  }
  return fault;
}

std::string EdfPlusBytes(const Recording& rec, std::string* bytes, const EdfStartTime& start) {
  // EDFlib writes only to a named file and does not check its writes: it writes into memory,
  // and the caller writes the bytes where they belong with every write checked.
  const int fd = ::memfd_create("tessel-edf", 0);
  if (fd < 0) {
    return "no memory to build the file in";
  }
  std::string fault = WriteFile(rec, "/proc/self/fd/" + std::to_string(fd), start);
  bytes->clear();
  if (fault.empty()) {
    char buffer[1 << 16];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
      bytes->append(buffer, static_cast<size_t>(n));
    }
    const long long declared = DeclaredSize(*bytes);
    if (declared != static_cast<long long>(bytes->size())) {
      // EDFlib's writes failed unseen; growing the file to its size gives the system's reason.
      const bool grows = declared > 0 && ::ftruncate(fd, static_cast<off_t>(declared)) == 0;
      fault = std::string("the file could not be completed") +
              (grows ? "" : " (" + std::string(std::strerror(errno)) + ")");
    }
  }
  ::close(fd);
  return fault;
}

}  // namespace Strata
