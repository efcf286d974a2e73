#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempFiles.h"

namespace Testing {

// A file of reference data under tests/data.
inline std::filesystem::path DataPath(const std::string& relative) {
  return std::filesystem::path(TESSEL_SOURCE_DIR) / "tests" / "data" / relative;
}

inline std::string DataText(const std::string& relative) {
  const std::filesystem::path path = DataPath(relative);
  EXPECT_TRUE(std::filesystem::exists(path)) << path;
  return ReadFile(path);
}

// One case of a table file: its fields, and where it stands for the failure messages.
struct DataRow {
  std::vector<std::string> fields;
  std::string where;  // "file:line"

  const std::string& operator[](size_t i) const { return fields.at(i); }
  double Number(size_t i) const { return std::strtod(fields.at(i).c_str(), nullptr); }
  int Int(size_t i) const {
    return static_cast<int>(std::strtol(fields.at(i).c_str(), nullptr, 0));
  }
  bool Flag(size_t i) const { return fields.at(i) == "1" || fields.at(i) == "yes"; }
  // The blank-separated numbers of a field, nan and inf included.
  std::vector<double> Numbers(size_t i) const {
    std::vector<double> v;
    std::istringstream in(fields.at(i));
    for (std::string word; in >> word;) {
      v.push_back(std::strtod(word.c_str(), nullptr));
    }
    return v;
  }
  size_t Size() const { return fields.size(); }
};

namespace data_detail {

inline std::string Trim(const std::string& s) {
  const size_t from = s.find_first_not_of(" \t");
  if (from == std::string::npos) {
    return "";
  }
  return s.substr(from, s.find_last_not_of(" \t") - from + 1);
}

// Escapes: \n \r \t \\ \| \" and \xHH; a field in double quotes keeps its blanks.
inline std::string Unescape(const std::string& raw) {
  std::string s = raw;
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
    s = s.substr(1, s.size() - 2);
  }
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    if (c == 'n') {
      out += '\n';
    } else if (c == 'r') {
      out += '\r';
    } else if (c == 't') {
      out += '\t';
    } else if (c == 'x' && i + 2 < s.size() + 1) {
      out += static_cast<char>(std::strtol(s.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace data_detail

// A table of cases: one a line, fields separated by '|'; blank lines and lines starting with
// '#' are left out.
inline std::vector<DataRow> DataTable(const std::string& relative) {
  std::vector<DataRow> rows;
  std::istringstream in(DataText(relative));
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (data_detail::Trim(line).empty() || data_detail::Trim(line)[0] == '#') {
      continue;
    }
    DataRow row;
    row.where = relative + ":" + std::to_string(number);
    std::string field;
    for (size_t i = 0; i <= line.size(); ++i) {
      if (i == line.size() || line[i] == '|') {
        row.fields.push_back(data_detail::Unescape(data_detail::Trim(field)));
        field.clear();
      } else {
        if (line[i] == '\\' && i + 1 < line.size()) {
          field += line[i++];
        }
        field += line[i];
      }
    }
    rows.push_back(std::move(row));
  }
  EXPECT_FALSE(rows.empty()) << relative;
  return rows;
}

// Whitespace-separated numbers, '#' starting a comment.
inline std::vector<double> DataNumbers(const std::string& relative) {
  std::vector<double> out;
  std::istringstream in(DataText(relative));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line.substr(0, line.find('#')));
    double v = 0;
    while (fields >> v) {
      out.push_back(v);
    }
  }
  return out;
}

// Pairs of numbers, x then y, as DataNumbers reads them.
inline std::pair<std::vector<double>, std::vector<double>> DataPairs(const std::string& relative) {
  const std::vector<double> v = DataNumbers(relative);
  std::pair<std::vector<double>, std::vector<double>> xy;
  for (size_t i = 0; i + 1 < v.size(); i += 2) {
    xy.first.push_back(v[i]);
    xy.second.push_back(v[i + 1]);
  }
  return xy;
}

}  // namespace Testing
