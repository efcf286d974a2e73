#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Tessel {

// The pattern of a dose comment's text: the dose text and the run label, as they stand.
inline constexpr const char* kDoseCommentPattern = "TSL: <%1> <%2>";
// What every dose comment contains, in lower case.
inline constexpr const char* kDoseCommentMark = "tsl: <";

// A dose comment read back: the dose written as a number and the run label (one word).
struct ParsedDoseComment {
  bool ok = false;
  std::string doseText;
  std::string runLabel;

  bool operator==(const ParsedDoseComment&) const = default;
};

// "TSL: <0.5> <Control>" for the dose text 0.5 and the run label Control.
std::string FormatDoseComment(std::string_view doseText, std::string_view runLabel);

// Whether a comment text looks like a dose comment (before it is parsed).
bool HasDoseCommentMark(std::string_view text);

// Reads the dose and the run label back from a comment text. Lenient about what people type
// into comments by hand: '<', '>', ';' and '_' separate words, the first positive number is the
// dose, the first other word that is not part of "TSL: <" the label.
ParsedDoseComment ParseDoseComment(std::string_view text);

// The number at the start of a word as comment writers type it: "1,000.5" and "0,5" both read
// (the right-most of '.', ',' and ';' is the decimal separator, the others group thousands).
// Nothing when the word does not start like a number; 0 when it does but cannot be read.
std::optional<double> ReadCommentNumber(std::string_view token);

// The value of a dose cell's text: the text read as one word of a comment, 0 when it is not a
// number. Every place that fills a dose cell and the fit that reads one use this reading, so a
// dose has the same value in the session, after the document is reopened and in the fit.
double DoseValue(std::string_view doseText);

// A dose as it is written back into text: six significant digits, general notation, a
// three-digit exponent ("1.23457e+006").
std::string DoseNumberText(double value);

}  // namespace Tessel
