#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "strata/recording/Recording.h"

namespace Strata {

// What to do with a channel whose sample rate differs from its block's.
enum class RateMismatch {
  Interpolate,  // linear interpolation between the channel's own samples onto the block's ticks
  LeaveOut,     // the channel is not imported
};

// Choices for one import. Defaults suit a file the user opens without a dialog.
struct ImportOptions {
  RateMismatch rateMismatch = RateMismatch::Interpolate;
  // Delimited text: the field separator, 0 to detect it from the header line ('\t', ';' or ',').
  char delimiter = 0;
  // Delimited text: the decimal separator, 0 to detect it ('.' unless the data use ',').
  char decimalSeparator = 0;
  // Called now and then with the fraction read so far; returning false cancels the import.
  std::function<bool(double fraction)> progress;
};

// Something the user should know about a file that was read nonetheless.
struct ImportWarning {
  enum class Kind {
    ChannelInterpolated,  // a channel's rate differed from its block's and was interpolated
    ChannelLeftOut,       // a channel's rate differed from its block's and was left out
    AnnotationMoved,      // an annotation lay outside the recorded data and was moved into it
    AnnotationTruncated,  // an annotation text was longer than the reader keeps
    MissingValue,         // an empty field read as not-a-number
    Other,
  };
  Kind kind = Kind::Other;
  std::int64_t line = 0;      // line of a text file, 0 when not about a line
  std::int32_t channel = -1;  // channel of the file (counted from 0), -1 when not about one
  std::string text;           // the whole message, as the import report shows it
};

// The outcome of reading one file: either a complete recording, or an error naming the file and
// the fault and no recording at all.
struct ImportResult {
  bool ok = false;
  std::string error;   // "<file>: <fault>" when !ok
  std::string format;  // "EDF", "EDF+", "EDF+D", "BDF", "BDF+", "BDF+D", "Delimited text"
  Recording recording;
  std::vector<ImportWarning> warnings;

  std::vector<std::string> Report() const {
    std::vector<std::string> texts;
    for (const auto& w : warnings) {
      texts.push_back(w.text);
    }
    return texts;
  }

  static ImportResult Failure(const std::string& file, const std::string& fault) {
    ImportResult r;
    r.error = file + ": " + fault;
    return r;
  }
};

}  // namespace Strata
