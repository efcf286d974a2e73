#include "strata/recording/DataPadText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace Strata {
namespace {

std::string TabCell(std::string cell) {
  for (char& c : cell) {
    if (c == '\t' || c == '\n' || c == '\r') {
      c = ' ';
    }
  }
  return cell;
}

std::string CsvCell(const std::string& cell) {
  if (cell.find_first_of(",\"\r\n") == std::string::npos) {
    return cell;
  }
  std::string quoted = "\"";
  for (char c : cell) {
    quoted += c;
    if (c == '"') {
      quoted += '"';
    }
  }
  return quoted + "\"";
}

template <class Cell>
std::string Join(const DataPadRows& rows, char separator, const char* lineEnd, Cell cell) {
  std::string text;
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) {
        text += separator;
      }
      text += cell(row[i]);
    }
    text += lineEnd;
  }
  return text;
}

std::string Reason(int error) {
  if (error == ENOSPC) {
    return "the disk is full";
  }
  std::string words = std::strerror(error);
  if (!words.empty()) {
    words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
  }
  return words;
}

// Writes bytes to an open file, every write and the flush to disk checked; "" or the reason.
std::string WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return Reason(n < 0 ? errno : ENOSPC);
    }
    done += static_cast<size_t>(n);
  }
  return ::fsync(fd) == 0 ? std::string() : Reason(errno);
}

}  // namespace

std::string DataPadTabText(const DataPadRows& rows) {
  return Join(rows, '\t', "\n", TabCell);
}

std::string DataPadColumnName(size_t column) {
  std::string name;
  for (size_t n = column + 1; n > 0; n = (n - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return name;
}

std::string DataPadCsv(const DataPadRows& rows) {
  return Join(rows, ',', "\r\n", CsvCell);
}

std::string SaveDataPadCsv(const DataPadRows& rows, const std::string& path) {
  const std::filesystem::path target(path);
  std::string temp =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  std::string reason;
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    reason = Reason(errno);
  } else {
    // mkstemp makes the file private; a saved file gets the permissions any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    reason = WriteAll(fd, DataPadCsv(rows));
    if (::close(fd) != 0 && reason.empty()) {
      reason = Reason(errno);
    }
    if (reason.empty() && ::rename(temp.c_str(), path.c_str()) != 0) {
      reason = Reason(errno);
    }
    if (!reason.empty()) {
      ::unlink(temp.c_str());
    }
  }
  return reason.empty() ? reason : "Cannot save \"" + path + "\": " + reason + ".";
}

}  // namespace Strata
