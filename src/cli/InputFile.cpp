#include "cli/InputFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <istream>

#include "cli/OutputFiles.h"

namespace Cli {

InputFile::InputFile(const std::string& path, std::istream& in) : path_(path) {
  if (path != kStandardStream) {
    fault_ = InputFault(path);
    return;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "tessel-stdin-XXXXXX").string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    fault_ = "standard input: no temporary file can be created to hold it";
    return;
  }
  spooled_ = pattern;
  path_ = pattern;
  char buffer[1 << 16];
  bool ok = true;
  while (ok && in.read(buffer, sizeof buffer).gcount() > 0) {
    const auto n = static_cast<size_t>(in.gcount());
    ok = ::write(fd, buffer, n) == static_cast<ssize_t>(n);
  }
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    fault_ = "standard input: it cannot be kept in a temporary file (the disk may be full)";
  }
}

InputFile::~InputFile() {
  if (!spooled_.empty()) {
    ::unlink(spooled_.c_str());
  }
}

std::string InputFile::Mention(std::string message) const {
  if (spooled_.empty()) {
    return message;
  }
  for (size_t at = message.find(spooled_); at != std::string::npos;
       at = message.find(spooled_, at)) {
    message.replace(at, spooled_.size(), "standard input");
  }
  return message;
}

}  // namespace Cli
