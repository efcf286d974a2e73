#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/TempFiles.h"

namespace Testing {

// An EDF/EDF+/BDF+ writer of the tests' own, byte by byte from the format's rules and sharing
// nothing with the code under test, so that the readers are checked against an independent
// writer rather than against themselves.
struct TestSignal {
  std::string label;
  std::string dimension;
  std::string physicalMin = "-100";
  std::string physicalMax = "100";
  std::string digitalMin = "-32768";
  std::string digitalMax = "32767";
  int perRecord = 10;
  std::vector<std::int32_t> digital;  // perRecord * records values
};

struct TestAnnotation {
  std::string onset;  // as written, e.g. "+12.5"
  std::string text;
  int record = 0;  // the data record whose annotation signal carries it
};

struct TestEdf {
  bool bdf = false;
  std::string reserved = "EDF+C";  // "", "EDF+C", "EDF+D", "BDF+C", "BDF+D"
  std::string recordDuration = "1";
  std::vector<std::string> recordStarts;  // time-keeping onsets, e.g. "+0", "+1", "+5.5"
  std::vector<TestSignal> signals;
  std::vector<TestAnnotation> annotations;
  int annotationBytes = 120;  // per record; even
  inline std::string Bytes() const;
  int Records() const { return static_cast<int>(recordStarts.size()); }
};

namespace edf_writer_detail {

inline std::string Field(const std::string& text, std::size_t width) {
  std::string f = text.substr(0, width);
  f.resize(width, ' ');
  return f;
}

inline void PutSample(std::string* out, std::int32_t v, bool bdf) {
  const auto u = static_cast<std::uint32_t>(v);
  out->push_back(static_cast<char>(u & 0xFF));
  out->push_back(static_cast<char>((u >> 8) & 0xFF));
  if (bdf) {
    out->push_back(static_cast<char>((u >> 16) & 0xFF));
  }
}

}  // namespace edf_writer_detail

inline std::string TestEdf::Bytes() const {
  const bool plus = !reserved.empty();
  const std::size_t ns = signals.size() + (plus ? 1 : 0);
  const int width = bdf ? 3 : 2;
  std::string h;
  h += bdf ? std::string(
                 "\xff"
                 "BIOSEMI")
           : edf_writer_detail::Field("0", 8);
  const std::string patient = plus ? "X F 02-MAY-1951 Rat_tissue_A" : "Rat tissue A";
  h += edf_writer_detail::Field(patient + std::string(80, '.'), 80);  // the field's full width
  const std::string rec = plus ? "Startdate 05-DEC-2026 X X Organ_bath" : "Organ bath";
  h += edf_writer_detail::Field(rec, 80);
  h += "05.12.2609.30.00";  // start date and time
  h += edf_writer_detail::Field(std::to_string(256 * (ns + 1)), 8);
  h += edf_writer_detail::Field(reserved, 44);
  h += edf_writer_detail::Field(std::to_string(Records()), 8);
  h += edf_writer_detail::Field(recordDuration, 8);
  h += edf_writer_detail::Field(std::to_string(ns), 4);
  const std::string annotLabel = bdf ? "BDF Annotations" : "EDF Annotations";
  auto each = [&](auto get, std::size_t fieldWidth, const std::string& annot) {
    for (const auto& s : signals) {
      h += edf_writer_detail::Field(get(s), fieldWidth);
    }
    if (plus) {
      h += edf_writer_detail::Field(annot, fieldWidth);
    }
  };
  each([](const TestSignal& s) { return s.label; }, 16, annotLabel);
  each([](const TestSignal&) { return std::string("AgAgCl electrode"); }, 80, "");
  each([](const TestSignal& s) { return s.dimension; }, 8, "");
  each([](const TestSignal& s) { return s.physicalMin; }, 8, "-1");
  each([](const TestSignal& s) { return s.physicalMax; }, 8, "1");
  each([](const TestSignal& s) { return s.digitalMin; }, 8, bdf ? "-8388608" : "-32768");
  each([](const TestSignal& s) { return s.digitalMax; }, 8, bdf ? "8388607" : "32767");
  each([](const TestSignal&) { return std::string("HP:0.1Hz LP:75Hz"); }, 80, "");
  each([](const TestSignal& s) { return std::to_string(s.perRecord); }, 8,
       std::to_string(annotationBytes / width));
  each([](const TestSignal&) { return std::string(); }, 32, "");

  std::string out = h;
  for (int r = 0; r < Records(); ++r) {
    for (const auto& s : signals) {
      for (int i = 0; i < s.perRecord; ++i) {
        edf_writer_detail::PutSample(
            &out, s.digital.at(static_cast<std::size_t>(r * s.perRecord + i)), bdf);
      }
    }
    if (plus) {
      std::string tal =
          recordStarts[static_cast<std::size_t>(r)] + "\x14\x14" + std::string(1, '\0');
      for (const auto& a : annotations) {
        if (a.record == r) {
          tal += a.onset + "\x14" + a.text + "\x14" + std::string(1, '\0');
        }
      }
      tal.resize(static_cast<std::size_t>(annotationBytes), '\0');
      out += tal;
    }
  }
  return out;
}

}  // namespace Testing
