#include "strata/import/EdfHeader.h"

#include "strata/import/NumberField.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace Strata {
namespace {

constexpr std::size_t kFixedBytes = 256;
constexpr std::int64_t kMaxSignals = 640;  // the most EDFlib opens; also a sanity bound

std::string Trim(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && s[b] == ' ') {
    ++b;
  }
  while (e > b && s[e - 1] == ' ') {
    --e;
  }
  return std::string(s.substr(b, e - b));
}

std::string Quoted(std::string_view s) {
  // Appended piece by piece: "\"" + Trim(s) + "\"" trips a false -Wrestrict in g++ 12 at -O3.
  std::string out(1, '"');
  out += Trim(s);
  out += '"';
  return out;
}

bool ParseInteger(std::string_view field, std::int64_t* value) {
  return ParseWholeField(Trim(field), value);
}

bool ParseReal(std::string_view field, double* value) {
  return ParseWholeField(Trim(field), value) && std::isfinite(*value);
}

bool IsDateLike(std::string_view s) {
  // dd.mm.yy or hh.mm.ss: two digits, a separator, two digits, a separator, two digits.
  if (s.size() != 8) {
    return false;
  }
  for (std::size_t i = 0; i < 8; ++i) {
    const bool separator = (i == 2 || i == 5);
    const bool digit = s[i] >= '0' && s[i] <= '9';
    if (separator ? digit : !digit) {
      return false;
    }
  }
  return true;
}

class FieldReader {
 public:
  FieldReader(std::string_view bytes, std::string* fault) : bytes_(bytes), fault_(fault) {}

  std::string_view At(std::size_t offset, std::size_t size) const {
    return bytes_.substr(offset, size);
  }
  bool Integer(std::size_t offset, std::size_t size, const std::string& name, std::int64_t* v) {
    if (ParseInteger(At(offset, size), v)) {
      return true;
    }
    *fault_ =
        "the header field \"" + name + "\" is not a whole number: " + Quoted(At(offset, size));
    return false;
  }
  bool Real(std::size_t offset, std::size_t size, const std::string& name, double* v) {
    if (ParseReal(At(offset, size), v)) {
      return true;
    }
    *fault_ = "the header field \"" + name + "\" is not a number: " + Quoted(At(offset, size));
    return false;
  }

 private:
  std::string_view bytes_;
  std::string* fault_;
};

std::string CheckPrintable(std::string_view header, bool bdf) {
  for (std::size_t i = bdf ? 1 : 0; i < header.size(); ++i) {
    const auto c = static_cast<unsigned char>(header[i]);
    if (c < 32 || c > 126) {
      return "the header holds a character that is not printable ASCII at byte " +
             std::to_string(i);
    }
  }
  return {};
}

std::string ParseFixedPart(std::string_view bytes, EdfHeader* h, std::int64_t* signalCount) {
  std::string fault;
  FieldReader f(bytes, &fault);
  h->patient = Trim(f.At(8, 80));
  h->recordingId = Trim(f.At(88, 80));
  h->startDate = std::string(f.At(168, 8));
  h->startTime = std::string(f.At(176, 8));
  if (!IsDateLike(h->startDate)) {
    return "the start date " + Quoted(h->startDate) + " is not in the form dd.mm.yy";
  }
  if (!IsDateLike(h->startTime)) {
    return "the start time " + Quoted(h->startTime) + " is not in the form hh.mm.ss";
  }
  const std::string reserved = Trim(f.At(192, 44));
  const std::string family = h->bdf ? "BDF" : "EDF";
  // EDF+ writers put the continuity mark first; some BDF+ writers use the EDF+ spelling.
  const std::string mark = reserved.substr(0, 5);
  if (mark == family + "+C" || mark == "EDF+C") {
    h->plus = true;
  } else if (mark == family + "+D" || mark == "EDF+D") {
    h->plus = true;
    h->discontinuous = true;
  }
  double seconds = 0.0;
  if (!f.Integer(184, 8, "number of bytes in header", &h->headerBytes) ||
      !f.Integer(236, 8, "number of data records", &h->records) ||
      !f.Real(244, 8, "duration of a data record", &seconds) ||
      !f.Integer(252, 4, "number of signals", signalCount)) {
    return fault;
  }
  if (*signalCount < 1 || *signalCount > kMaxSignals) {
    return "the header announces " + std::to_string(*signalCount) + " signals; a file holds 1 to " +
           std::to_string(kMaxSignals);
  }
  if (h->headerBytes != 256 * (*signalCount + 1)) {
    return "the header announces " + std::to_string(h->headerBytes) + " header bytes, but " +
           std::to_string(*signalCount) + " signals need " +
           std::to_string(256 * (*signalCount + 1));
  }
  if (h->records == -1) {
    return "the number of data records is -1: the recording was never closed";
  }
  if (h->records < 1) {
    return "the header announces " + std::to_string(h->records) + " data records";
  }
  if (!(seconds > 0.0) || seconds > 1e6) {
    return "the duration of a data record (" + Trim(f.At(244, 8)) + " s) is not usable";
  }
  if (!ParseSecondsNs(Trim(f.At(244, 8)), &h->recordDurationNs)) {
    h->recordDurationNs = std::llround(seconds * 1e9);  // written in exponent form
  }
  if (h->recordDurationNs <= 0) {
    return "the duration of a data record (" + Trim(f.At(244, 8)) + " s) is not usable";
  }
  return {};
}

std::string CheckSignal(const EdfSignalHeader& s, std::size_t index, bool bdf) {
  const std::string which = "signal " + std::to_string(index + 1) + " \"" + s.label + "\"";
  const std::int64_t lo = bdf ? -8388608 : -32768;
  const std::int64_t hi = bdf ? 8388607 : 32767;
  if (s.digitalMin < lo || s.digitalMax > hi) {
    return which + " has digital limits outside " + std::to_string(lo) + " to " +
           std::to_string(hi);
  }
  if (s.digitalMin >= s.digitalMax) {
    return which + " has a digital minimum that is not below its digital maximum";
  }
  if (s.physicalMin == s.physicalMax) {
    return which + " has equal physical minimum and maximum";
  }
  if (s.samplesPerRecord < 1) {
    return which + " has no samples in a data record";
  }
  return {};
}

std::string ParseSignals(std::string_view bytes, std::size_t n, EdfHeader* h) {
  std::string fault;
  FieldReader f(bytes, &fault);
  const std::string annotationLabel = h->bdf ? "BDF Annotations" : "EDF Annotations";
  h->signals.resize(n);
  // Each field is an array over the signals; offsets of the arrays in header order.
  const std::size_t label = kFixedBytes, transducer = label + 16 * n, dim = transducer + 80 * n,
                    pmin = dim + 8 * n, pmax = pmin + 8 * n, dmin = pmax + 8 * n,
                    dmax = dmin + 8 * n, prefilter = dmax + 8 * n, spr = prefilter + 80 * n;
  for (std::size_t i = 0; i < n; ++i) {
    EdfSignalHeader& s = h->signals[i];
    const std::string no = " of signal " + std::to_string(i + 1);
    s.label = Trim(f.At(label + 16 * i, 16));
    s.transducer = Trim(f.At(transducer + 80 * i, 80));
    s.physicalDimension = Trim(f.At(dim + 8 * i, 8));
    s.prefilter = Trim(f.At(prefilter + 80 * i, 80));
    s.annotation = h->plus && (s.label == annotationLabel || s.label == "EDF Annotations");
    std::int64_t dminValue = 0, dmaxValue = 0, sprValue = 0;
    if (!f.Real(pmin + 8 * i, 8, "physical minimum" + no, &s.physicalMin) ||
        !f.Real(pmax + 8 * i, 8, "physical maximum" + no, &s.physicalMax) ||
        !f.Integer(dmin + 8 * i, 8, "digital minimum" + no, &dminValue) ||
        !f.Integer(dmax + 8 * i, 8, "digital maximum" + no, &dmaxValue) ||
        !f.Integer(spr + 8 * i, 8, "number of samples in a data record" + no, &sprValue)) {
      return fault;
    }
    if (sprValue > 100'000'000 || dminValue < INT32_MIN || dmaxValue > INT32_MAX) {
      return "signal " + std::to_string(i + 1) + " has header numbers out of range";
    }
    s.digitalMin = static_cast<std::int32_t>(dminValue);
    s.digitalMax = static_cast<std::int32_t>(dmaxValue);
    s.samplesPerRecord = static_cast<std::int32_t>(sprValue);
    if (std::string bad = CheckSignal(s, i, h->bdf); !bad.empty()) {
      return bad;
    }
  }
  return {};
}

}  // namespace

std::int64_t EdfHeader::RecordBytes() const {
  std::int64_t samples = 0;
  for (const auto& s : signals) {
    samples += s.samplesPerRecord;
  }
  return samples * BytesPerSample();
}

std::string EdfHeader::FormatName() const {
  std::string name = bdf ? "BDF" : "EDF";
  if (plus) {
    name += discontinuous ? "+D" : "+";
  }
  return name;
}

bool HasEdfSignature(std::string_view bytes) {
  return bytes.substr(0, 8) == "0       " || bytes.substr(0, 8) ==
                                                 "\xff"
                                                 "BIOSEMI";
}

bool ParseSecondsNs(std::string_view text, std::int64_t* ns) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t whole = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    if (whole > 9'000'000'000LL) {
      return false;  // beyond 285 years: not a time inside a recording
    }
    whole = whole * 10 + (text[i] - '0');
  }
  std::int64_t fraction = 0;
  std::int64_t scale = 100'000'000;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      fraction += (text[i] - '0') * scale;
      scale /= 10;
    }
  }
  if (digits == 0 || i != text.size()) {
    return false;
  }
  *ns = (whole * 1'000'000'000LL + fraction) * (negative ? -1 : 1);
  return true;
}

std::string ParseEdfHeader(std::string_view bytes, EdfHeader* header) {
  EdfHeader h;
  if (bytes.empty()) {
    return "the file is empty";
  }
  if (!HasEdfSignature(bytes)) {
    return "not an EDF or BDF file: it does not start with an EDF or BDF signature";
  }
  h.bdf = bytes[0] == '\xff';
  if (bytes.size() < kFixedBytes) {
    return "the file ends inside its header (" + std::to_string(bytes.size()) + " bytes)";
  }
  if (std::string bad = CheckPrintable(bytes.substr(0, kFixedBytes), h.bdf); !bad.empty()) {
    return bad;
  }
  std::int64_t n = 0;
  if (std::string bad = ParseFixedPart(bytes, &h, &n); !bad.empty()) {
    return bad;
  }
  if (bytes.size() < static_cast<std::size_t>(h.headerBytes)) {
    return "the file ends inside its header (" + std::to_string(bytes.size()) + " of " +
           std::to_string(h.headerBytes) + " bytes)";
  }
  if (std::string bad = CheckPrintable(bytes.substr(0, h.headerBytes), h.bdf); !bad.empty()) {
    return bad;
  }
  if (std::string bad = ParseSignals(bytes, static_cast<std::size_t>(n), &h); !bad.empty()) {
    return bad;
  }
  if (h.plus) {
    bool annotations = false;
    bool data = false;
    for (const auto& s : h.signals) {
      annotations = annotations || s.annotation;
      data = data || !s.annotation;
    }
    if (!annotations) {
      return "the header marks the file " + h.FormatName() + " but it has no annotation signal";
    }
    if (!data) {
      return "the file holds annotations only, no signals";
    }
  }
  *header = std::move(h);
  return {};
}

std::string CheckEdfFileSize(const EdfHeader& h, std::uint64_t fileSize) {
  const std::int64_t recordBytes = h.RecordBytes();
  if (recordBytes > 0 &&
      h.records > (std::numeric_limits<std::int64_t>::max() - h.headerBytes) / recordBytes) {
    return "the header announces more data records than a file can hold";
  }
  const auto expected = static_cast<std::uint64_t>(h.headerBytes + h.records * recordBytes);
  if (fileSize == expected) {
    return {};
  }
  const std::string announced = "its header announces " + std::to_string(h.records) +
                                " data records of " + std::to_string(recordBytes) +
                                " bytes after " + std::to_string(h.headerBytes) +
                                " header bytes (" + std::to_string(expected) + " bytes)";
  if (fileSize < expected) {
    return "the file is truncated: it is " + std::to_string(fileSize) + " bytes long, but " +
           announced;
  }
  return "the data record count does not match the file size: the file is " +
         std::to_string(fileSize) + " bytes long, but " + announced;
}

}  // namespace Strata
