#include "strata/import/DelimitedTextReader.h"

#include "strata/import/NumberField.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

namespace Strata {
namespace {

struct Column {
  std::string title;
  std::string units;
};

// The rows of the file, column by column.
struct Table {
  std::vector<Column> columns;  // without the time and comment columns
  int commentColumn = -1;       // field index, -1 when none
  std::size_t fieldCount = 0;
  double timeScale = 1.0;  // to seconds
  std::vector<double> times;
  std::vector<std::int64_t> lines;
  std::vector<std::vector<float>> values;  // [channel][row]
  std::vector<std::size_t> missing;        // [channel] empty fields
  std::vector<std::int64_t> firstMissing;  // [channel] line of the first empty field
  std::vector<std::pair<std::size_t, std::string>> comments;  // row, text
};

std::string Trim(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) {
    ++b;
  }
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) {
    --e;
  }
  return std::string(s.substr(b, e - b));
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return s;
}

// Splits one line at the delimiter; a field in double quotes may hold the delimiter and doubled
// quotes. False when a quote is not closed.
bool SplitFields(std::string_view line, char delimiter, std::vector<std::string>* fields) {
  fields->clear();
  std::string field;
  bool quoted = false;
  bool wasQuoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && Trim(field).empty()) {
      quoted = wasQuoted = true;
      field.clear();
    } else if (c == delimiter) {
      fields->push_back(wasQuoted ? field : Trim(field));
      field.clear();
      wasQuoted = false;
    } else {
      field += c;
    }
  }
  fields->push_back(wasQuoted ? field : Trim(field));
  return !quoted;
}

bool ParseNumber(std::string_view text, char decimal, double* value) {
  std::string t = Trim(text);
  if (decimal == ',') {
    for (char& c : t) {
      if (c == ',') {
        c = '.';
      }
    }
  }
  return ParseWholeField(t, value);
}

// "Force [mN]" gives the title Force and the units mN.
Column SplitTitle(const std::string& field) {
  const std::size_t open = field.rfind('[');
  if (open != std::string::npos && !field.empty() && field.back() == ']') {
    return Column{Trim(field.substr(0, open)),
                  Trim(field.substr(open + 1, field.size() - open - 2))};
  }
  return Column{field, ""};
}

bool IsCommentTitle(const std::string& title) {
  const std::string t = Lower(title);
  return t == "comment" || t == "comments";
}

std::string LineText(std::int64_t line) {
  return "line " + std::to_string(line);
}

std::string Number(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9g", v);
  return buffer;
}

class Parser {
 public:
  Parser(std::string_view text, const ImportOptions& options) : text_(text), options_(options) {}

  // The fault, or empty with the table filled.
  std::string Parse(Table* table) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
      text_.remove_prefix(3);  // a UTF-8 byte-order mark from spreadsheet programs
    }
    std::string_view line;
    if (!NextLine(&line)) {
      return "the file holds no rows";
    }
    delimiter_ = options_.delimiter != 0 ? options_.delimiter : DetectDelimiter(line);
    std::vector<std::string> fields;
    if (!SplitFields(line, delimiter_, &fields)) {
      return LineText(lineNo_) + " has a quote that is not closed";
    }
    double probe = 0.0;
    const bool header =
        !ParseNumber(fields[0], '.', &probe) && !ParseNumber(fields[0], ',', &probe);
    if (std::string bad = SetUpColumns(fields, header, table); !bad.empty()) {
      return bad;
    }
    if (!header) {
      pending_ = line;
      hasPending_ = true;
    }
    return ReadRows(table);
  }

 private:
  bool NextLine(std::string_view* line) {
    if (hasPending_) {
      *line = pending_;
      hasPending_ = false;
      return true;
    }
    while (pos_ < text_.size()) {
      std::size_t end = text_.find('\n', pos_);
      if (end == std::string_view::npos) {
        end = text_.size();
      }
      std::string_view l = text_.substr(pos_, end - pos_);
      pos_ = end + 1;
      ++lineNo_;
      if (!l.empty() && l.back() == '\r') {
        l.remove_suffix(1);
      }
      if (Trim(l).empty() || l[0] == '#') {
        continue;
      }
      *line = l;
      return true;
    }
    return false;
  }

  static char DetectDelimiter(std::string_view line) {
    if (line.find('\t') != std::string_view::npos) {
      return '\t';
    }
    if (line.find(';') != std::string_view::npos) {
      return ';';
    }
    return ',';
  }

  std::string SetUpColumns(const std::vector<std::string>& fields, bool header, Table* t) {
    t->fieldCount = fields.size();
    const Column time = header ? SplitTitle(fields[0]) : Column{"Time", "s"};
    const std::string unit = Lower(time.units);
    if (unit.empty() || unit == "s" || unit == "sec") {
      t->timeScale = 1.0;
    } else if (unit == "ms") {
      t->timeScale = 1e-3;
    } else if (unit == "min") {
      t->timeScale = 60.0;
    } else if (unit == "h") {
      t->timeScale = 3600.0;
    } else {
      return "the time column is in \"" + time.units + "\"; it must be in s, ms, min or h";
    }
    for (std::size_t i = 1; i < fields.size(); ++i) {
      Column c = header ? SplitTitle(fields[i]) : Column{"Channel " + std::to_string(i), ""};
      if (header && IsCommentTitle(c.title) && t->commentColumn < 0) {
        t->commentColumn = static_cast<int>(i);
        continue;
      }
      if (c.title.empty()) {
        c.title = "Channel " + std::to_string(t->columns.size() + 1);
      }
      t->columns.push_back(std::move(c));
    }
    if (t->columns.empty()) {
      return "the file has no channel column after the time column";
    }
    t->values.resize(t->columns.size());
    t->missing.assign(t->columns.size(), 0);
    t->firstMissing.assign(t->columns.size(), 0);
    return {};
  }

  std::string ReadRows(Table* t) {
    std::string_view line;
    std::vector<std::string> fields;
    while (NextLine(&line)) {
      if (!SplitFields(line, delimiter_, &fields)) {
        return LineText(lineNo_) + " has a quote that is not closed";
      }
      // A trailing comment column left empty may be missing altogether.
      if (fields.size() + 1 == t->fieldCount &&
          t->commentColumn == static_cast<int>(t->fieldCount) - 1) {
        fields.emplace_back();
      }
      if (fields.size() != t->fieldCount) {
        return LineText(lineNo_) + " has " + std::to_string(fields.size()) +
               " fields, but the header has " + std::to_string(t->fieldCount);
      }
      if (std::string bad = ReadRow(fields, t); !bad.empty()) {
        return bad;
      }
      if (options_.progress && t->times.size() % 4096 == 0 &&
          !options_.progress(static_cast<double>(pos_) / text_.size())) {
        return "reading was cancelled";
      }
    }
    if (t->times.empty()) {
      return "the file holds no rows of samples";
    }
    return {};
  }

  std::string ReadRow(const std::vector<std::string>& fields, Table* t) {
    if (decimal_ == 0) {
      decimal_ = options_.decimalSeparator != 0 ? options_.decimalSeparator : DetectDecimal(fields);
    }
    double time = 0.0;
    if (!ParseNumber(fields[0], decimal_, &time) || !std::isfinite(time)) {
      return LineText(lineNo_) + ": the time \"" + fields[0] + "\" is not a number";
    }
    const std::size_t row = t->times.size();
    t->times.push_back(time * t->timeScale);
    t->lines.push_back(lineNo_);
    std::size_t c = 0;
    for (std::size_t i = 1; i < fields.size(); ++i) {
      if (static_cast<int>(i) == t->commentColumn) {
        if (!fields[i].empty()) {
          t->comments.emplace_back(row, fields[i]);
        }
        continue;
      }
      double v = std::numeric_limits<double>::quiet_NaN();
      if (fields[i].empty()) {
        if (t->missing[c]++ == 0) {
          t->firstMissing[c] = lineNo_;
        }
      } else if (!ParseNumber(fields[i], decimal_, &v)) {
        return LineText(lineNo_) + ", column \"" + t->columns[c].title + "\": \"" + fields[i] +
               "\" is not a number";
      }
      t->values[c++].push_back(static_cast<float>(v));
    }
    return {};
  }

  // A comma inside a number field, where commas do not separate fields, is a decimal comma.
  char DetectDecimal(const std::vector<std::string>& fields) const {
    if (delimiter_ == ',') {
      return '.';
    }
    for (const auto& f : fields) {
      if (f.find(',') != std::string::npos && f.find('.') == std::string::npos) {
        return ',';
      }
    }
    return '.';
  }

  std::string_view text_;
  const ImportOptions& options_;
  std::size_t pos_ = 0;
  std::int64_t lineNo_ = 0;
  std::string_view pending_;
  bool hasPending_ = false;
  char delimiter_ = ',';
  char decimal_ = 0;
};

// Splits the rows into blocks where the time jumps, and checks that the time steps evenly
// inside each block. Returns the fault, or empty with the row index where each block starts.
std::string FindBlocks(const Table& t, std::vector<std::size_t>* starts) {
  starts->assign(1, 0);
  double interval = 0.0;
  for (std::size_t i = 1; i < t.times.size(); ++i) {
    const double step = t.times[i] - t.times[i - 1];
    if (!(step > 0.0)) {
      return LineText(t.lines[i]) + ": the time " + Number(t.times[i]) +
             " s is not after the time on the line before (" + Number(t.times[i - 1]) + " s)";
    }
    if (i - starts->back() == 1) {
      interval = step;  // the first step of a block sets its interval
    } else if (step > 1.5 * interval) {
      starts->push_back(i);
    } else if (step < 0.5 * interval) {
      return LineText(t.lines[i]) + ": the time step of " + Number(step) +
             " s is far shorter than the sample interval (" + Number(interval) + " s)";
    }
  }
  return {};
}

// Rounded times in text make the steps wobble; more than this is not even sampling.
constexpr double kStepTolerance = 0.1;

std::string BuildRecording(const Table& t, ImportResult* result) {
  std::vector<std::size_t> starts;
  if (std::string bad = FindBlocks(t, &starts); !bad.empty()) {
    return bad;
  }
  Recording& rec = result->recording;
  for (const auto& c : t.columns) {
    rec.AddChannel(c.title);
  }
  double interval = 1.0;
  starts.push_back(t.times.size());
  for (std::size_t b = 0; b + 1 < starts.size(); ++b) {
    const std::size_t first = starts[b];
    const std::size_t count = starts[b + 1] - first;
    if (count > 1) {
      interval = (t.times[first + count - 1] - t.times[first]) / static_cast<double>(count - 1);
    }
    for (std::size_t i = first + 1; i < first + count; ++i) {
      const double step = t.times[i] - t.times[i - 1];
      if (std::fabs(step - interval) > kStepTolerance * interval) {
        return LineText(t.lines[i]) + ": the time step of " + Number(step) +
               " s does not fit the block's sample interval of " + Number(interval) + " s";
      }
    }
    const std::int32_t block = rec.AddBlock(interval, 0, t.times[first]);
    Block& bl = rec.BlockAt(block);
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
      bl.units[c] = t.columns[c].units;
      bl.samples[c].assign(t.values[c].begin() + static_cast<std::ptrdiff_t>(first),
                           t.values[c].begin() + static_cast<std::ptrdiff_t>(first + count));
    }
  }
  for (const auto& [row, text] : t.comments) {
    const auto b = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), row) -
                                            starts.begin() - 1);
    rec.AddComment(
        -1,
        TickPosition(static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(row - starts[b])),
        text);
  }
  return {};
}

}  // namespace

bool DelimitedTextReader::Recognises(std::string_view head) const {
  if (head.empty()) {
    return false;
  }
  for (char ch : head) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == 0 || (c < 32 && c != '\t' && c != '\r' && c != '\n')) {
      return false;
    }
  }
  return head.find_first_of("\t;,") != std::string_view::npos;
}

ImportResult DelimitedTextReader::Read(const std::string& path,
                                       const ImportOptions& options) const {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return ImportResult::Failure(path, "the file cannot be opened");
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ReadText(text.str(), path, options);
}

ImportResult DelimitedTextReader::ReadText(std::string_view text, const std::string& name,
                                           const ImportOptions& options) const {
  if (text.empty()) {
    return ImportResult::Failure(name, "the file is empty");
  }
  if (text.find('\0') != std::string_view::npos) {
    return ImportResult::Failure(name, "the file is not text: it holds a zero byte");
  }
  Table table;
  if (std::string bad = Parser(text, options).Parse(&table); !bad.empty()) {
    return ImportResult::Failure(name, bad);
  }
  ImportResult result;
  result.format = "Delimited text";
  if (std::string bad = BuildRecording(table, &result); !bad.empty()) {
    return ImportResult::Failure(name, bad);
  }
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (table.missing[c] > 0) {
      result.warnings.push_back(ImportWarning{
          ImportWarning::Kind::MissingValue, table.firstMissing[c], static_cast<std::int32_t>(c),
          "Channel \"" + table.columns[c].title + "\" has " + std::to_string(table.missing[c]) +
              " empty fields, the first on line " + std::to_string(table.firstMissing[c]) +
              "; they read as not-a-number."});
    }
  }
  result.ok = true;
  return result;
}

}  // namespace Strata
