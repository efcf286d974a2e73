#include "strata/import/EdfAnnotations.h"

#include <cmath>
#include <cstdio>

#include "strata/import/EdfHeader.h"

namespace Strata {
namespace {

constexpr char kOnsetEnd = '\x14';
constexpr char kDurationMark = '\x15';

std::string SecondsText(std::int64_t ns) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6g s", static_cast<double>(ns) * 1e-9);
  return buffer;
}

// The channel a text names with a trailing "@@<title>", or -1 with the text unchanged.
std::int32_t TakeChannelSuffix(const Recording& recording, std::string* text) {
  const std::size_t at = text->rfind("@@");
  if (at == std::string::npos) {
    return -1;
  }
  const std::string title = text->substr(at + 2);
  for (std::int32_t c = 0; c < recording.ChannelCount(); ++c) {
    if (recording.ChannelAt(c).title == title) {
      text->resize(at);
      return c;
    }
  }
  return -1;
}

std::int64_t TickOf(std::int64_t ns, const BlockSpan& span) {
  const long double ticks = static_cast<long double>(ns - span.startNs) * span.perRecord /
                            static_cast<long double>(span.recordNs);
  return std::llround(ticks);
}

}  // namespace

std::string ParseTals(std::string_view bytes, std::int64_t* timekeeping,
                      std::vector<EdfAnnotation>* out) {
  std::size_t pos = 0;
  bool first = true;
  while (pos < bytes.size() && bytes[pos] != '\0') {
    const std::size_t onsetEnd = bytes.find_first_of(std::string_view("\x14\x15", 2), pos);
    if (onsetEnd == std::string_view::npos) {
      return "an annotation list has no end";
    }
    std::int64_t onset = 0;
    const std::string_view onsetText = bytes.substr(pos, onsetEnd - pos);
    if (onsetText.empty() || (onsetText[0] != '+' && onsetText[0] != '-') ||
        !ParseSecondsNs(onsetText, &onset)) {
      return "an annotation has the onset \"" + std::string(onsetText) + "\", not a time";
    }
    pos = onsetEnd;
    if (bytes[pos] == kDurationMark) {
      pos = bytes.find(kOnsetEnd, pos);
      if (pos == std::string_view::npos) {
        return "an annotation list has no end";
      }
    }
    ++pos;  // past the 0x14 that ends the onset (and duration)
    bool keepsTime = first && timekeeping != nullptr;
    for (;;) {
      const std::size_t textEnd = bytes.find(kOnsetEnd, pos);
      if (textEnd == std::string_view::npos) {
        return "an annotation list has no end";
      }
      const std::string_view text = bytes.substr(pos, textEnd - pos);
      if (text.find('\0') != std::string_view::npos) {
        return "an annotation list has no end";
      }
      if (keepsTime && text.empty()) {
        *timekeeping = onset;
      } else if (!text.empty()) {
        out->push_back(EdfAnnotation{onset, std::string(text), 0});
      }
      keepsTime = false;
      pos = textEnd + 1;
      if (pos >= bytes.size()) {
        return "an annotation list has no end";
      }
      if (bytes[pos] == '\0') {
        ++pos;
        break;
      }
    }
    first = false;
  }
  return {};
}

void PlaceAnnotations(const std::vector<EdfAnnotation>& annotations,
                      const std::vector<BlockSpan>& spans, Recording* recording,
                      std::vector<ImportWarning>* warnings) {
  if (spans.empty()) {
    return;
  }
  for (const EdfAnnotation& a : annotations) {
    std::string text = a.text;
    const std::int32_t channel = TakeChannelSuffix(*recording, &text);
    std::int32_t block = -1;
    std::int64_t tick = 0;
    for (std::size_t b = 0; b < spans.size() && block < 0; ++b) {
      const std::int64_t t = TickOf(a.onsetNs, spans[b]);
      if (a.onsetNs >= spans[b].startNs && t <= spans[b].ticks) {
        block = static_cast<std::int32_t>(b);
        tick = std::min(t, std::max<std::int64_t>(spans[b].ticks - 1, 0));
      }
    }
    if (block < 0) {
      block = std::min<std::int32_t>(a.block, static_cast<std::int32_t>(spans.size()) - 1);
      const BlockSpan& span = spans[static_cast<std::size_t>(block)];
      tick = std::clamp<std::int64_t>(TickOf(a.onsetNs, span), 0,
                                      std::max<std::int64_t>(span.ticks - 1, 0));
      const std::int64_t placedNs =
          span.startNs + static_cast<std::int64_t>(std::llround(static_cast<long double>(tick) *
                                                                span.recordNs / span.perRecord));
      warnings->push_back(
          ImportWarning{ImportWarning::Kind::AnnotationMoved, 0, channel,
                        "The annotation \"" + text + "\" at " + SecondsText(a.onsetNs) +
                            " lies outside the recorded data; it was placed in block " +
                            std::to_string(block + 1) + " at " + SecondsText(placedNs) + "."});
    }
    recording->AddComment(
        channel, TickPosition(static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(tick)),
        std::move(text));
  }
}

}  // namespace Strata
