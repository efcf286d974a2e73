#include "tessel/measure/DoseComment.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tessel/document/NumberText.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

constexpr std::string_view kNumberChars = "0123456789+-.,;eE";

std::vector<std::string> SplitAtSpaces(const std::string& text) {
  std::vector<std::string> tokens;
  size_t from = 0;
  while (from <= text.size()) {
    const size_t space = text.find(' ', from);
    const size_t to = space == std::string::npos ? text.size() : space;
    tokens.push_back(text.substr(from, to - from));
    from = to + 1;
  }
  return tokens;
}

}  // namespace

std::string FormatDoseComment(std::string_view doseText, std::string_view runLabel) {
  return Kor::FormatMessage(kDoseCommentPattern, {doseText, runLabel});
}

bool HasDoseCommentMark(std::string_view text) {
  return Kor::ToLower(text).find(kDoseCommentMark) != std::string::npos;
}

std::string DoseNumberText(double value) {
  if (std::isinf(value)) {
    return value > 0 ? "inf" : "-inf";
  }
  return FormatNumber(value, 6, false);
}

std::optional<double> ReadCommentNumber(std::string_view token) {
  const size_t length = std::min(token.find_first_not_of(kNumberChars), token.size());
  std::string run(token.substr(0, length));
  const auto exponents =
      std::count_if(run.begin(), run.end(), [](char ch) { return ch == 'e' || ch == 'E'; });
  if (run.empty() || run == "e" || run == "E" || run == "-" || exponents > 1) {
    return std::nullopt;
  }
  const size_t decimal = run.find_last_of(".,;");
  if (decimal != std::string::npos) {
    std::string cleaned;
    for (size_t i = 0; i < run.size(); ++i) {
      if (i == decimal) {
        cleaned += '.';
      } else if (i > decimal || (run[i] != '.' && run[i] != ',' && run[i] != ';')) {
        cleaned += run[i];
      }
    }
    run = std::move(cleaned);
  }
  // The run holds only digits, signs, points and exponents, so strtod cannot wander into hex,
  // "inf" or "nan"; the module never changes the C locale, so '.' is the decimal point.
  char* end = nullptr;
  const double value = std::strtod(run.c_str(), &end);
  return end == run.c_str() ? 0.0 : value;
}

double DoseValue(std::string_view doseText) {
  return ReadCommentNumber(doseText).value_or(0.0);
}

ParsedDoseComment ParseDoseComment(std::string_view text) {
  std::string copy(text);
  std::replace_if(
      copy.begin(), copy.end(),
      [](char ch) { return ch == '<' || ch == '>' || ch == ';' || ch == '_'; }, ' ');
  copy = Kor::Trim(copy);
  ParsedDoseComment parsed;
  if (copy.empty()) {
    return parsed;
  }
  bool haveDose = false;
  bool haveLabel = false;
  const std::string mark = kDoseCommentMark;
  for (const std::string& token : SplitAtSpaces(copy)) {
    if (haveDose && haveLabel) {
      break;
    }
    if (token.empty()) {
      continue;
    }
    if (!haveDose) {
      const std::optional<double> number = ReadCommentNumber(token);
      if (number && *number > 0.0) {
        parsed.doseText = DoseNumberText(*number);
        haveDose = true;
        continue;
      }
    }
    if (haveLabel || mark.find(Kor::ToLower(token)) != std::string::npos) {
      continue;
    }
    parsed.runLabel = token;
    haveLabel = true;
  }
  parsed.ok = haveDose && haveLabel;
  if (!parsed.ok) {
    return ParsedDoseComment{};
  }
  return parsed;
}

}  // namespace Tessel
