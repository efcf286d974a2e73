#include "cli/OutputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace Cli {
namespace {

namespace fs = std::filesystem;

bool IsStandard(const std::string& path) {
  return path == kStandardStream;
}

// The file a path names, by device and inode; false when there is none.
bool Identity(const std::string& path, dev_t* device, ino_t* inode) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return false;
  }
  *device = st.st_dev;
  *inode = st.st_ino;
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  dev_t da = 0;
  dev_t db = 0;
  ino_t ia = 0;
  ino_t ib = 0;
  return Identity(a, &da, &ia) && Identity(b, &db, &ib) && da == db && ia == ib;
}

// Where the file really goes: a link is followed, so that the file it names is replaced and the
// link stays.
std::string Target(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) {
      return resolved.string();
    }
  }
  return path;
}

fs::path FolderOf(const std::string& path) {
  const fs::path p(path);
  return p.has_parent_path() ? p.parent_path() : fs::path(".");
}

std::string PathFault(const std::string& path) {
  const std::string target = Target(path);
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      return "it is a folder";
    }
    if (!S_ISREG(st.st_mode)) {
      return "it is not a regular file (a device, a pipe or a socket is never replaced)";
    }
    if (::access(target.c_str(), W_OK) != 0) {
      return "the file cannot be replaced (" + std::string(std::strerror(errno)) + ")";
    }
  }
  const fs::path folder = FolderOf(target);
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return "the folder \"" + folder.string() + "\" does not exist";
  }
  if (::access(folder.c_str(), W_OK) != 0) {
    return "no file can be created in the folder \"" + folder.string() + "\" (" +
           std::strerror(errno) + ")";
  }
  return {};
}

bool WriteAll(int fd, const std::string& bytes) {
  const char* at = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, at, left);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      if (n == 0) {
        errno = ENOSPC;
      }
      return false;
    }
    at += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// A temporary file beside the target holding the bytes, written, flushed and closed with every
// step checked; "" and its name in *temp, or the fault.
std::string WriteTemp(const std::string& target, const std::string& bytes, std::string* temp) {
  std::string pattern =
      (FolderOf(target) / ("." + fs::path(target).filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    return "no file can be created beside it (" + SystemFault(errno) + ")";
  }
  struct stat st {};
  ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  ok = ::close(fd) == 0 && ok;
  const int error = ok ? 0 : (writeError != 0 ? writeError : errno);
  if (!ok) {
    ::unlink(pattern.c_str());
    return SystemFault(error);
  }
  *temp = pattern;
  return {};
}

}  // namespace

std::string SystemFault(int error) {
  if (error == ENOSPC || error == EDQUOT) {
    return "the disk is full";
  }
  return "it cannot be written (" + std::string(std::strerror(error)) + ")";
}

std::string InputFault(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return path + ": " +
           (errno == ENOENT
                ? std::string("the file does not exist")
                : "the file cannot be read (" + std::string(std::strerror(errno)) + ")");
  }
  if (S_ISDIR(st.st_mode)) {
    return path + ": it is a folder, not a file";
  }
  if (!S_ISREG(st.st_mode)) {
    return path + ": it is not a regular file";
  }
  return {};
}

void OutputFiles::AddInput(const std::string& path) {
  if (!IsStandard(path)) {
    inputs_.push_back(path);
  }
}

void OutputFiles::AddBytes(const std::string& option, const std::string& path, std::string bytes) {
  outputs_.push_back({option, path, std::move(bytes), {}});
}

void OutputFiles::AddSelfWritten(const std::string& option, const std::string& path,
                                 SelfWriter write) {
  outputs_.push_back({option, path, {}, std::move(write)});
}

bool OutputFiles::UsesStandardOutput() const {
  for (const Output& o : outputs_) {
    if (IsStandard(o.path)) {
      return true;
    }
  }
  return false;
}

std::string OutputFiles::Check() const {
  int standard = 0;
  for (size_t i = 0; i < outputs_.size(); ++i) {
    const Output& o = outputs_[i];
    if (o.path.empty()) {
      return o.option + ": no file is named";
    }
    if (IsStandard(o.path)) {
      if (o.write) {
        return o.option + ": this file cannot be written to standard output";
      }
      if (++standard > 1) {
        return o.option + ": only one output can go to standard output";
      }
      continue;
    }
    if (const std::string fault = PathFault(o.path); !fault.empty()) {
      return o.path + ": " + fault;
    }
    for (const std::string& input : inputs_) {
      if (SameFile(o.path, input)) {
        return o.path + ": it is the input " + input + "; it would be overwritten";
      }
    }
    for (size_t j = 0; j < i; ++j) {
      if (o.path == outputs_[j].path || SameFile(o.path, outputs_[j].path)) {
        return o.path + ": it is named by both " + outputs_[j].option + " and " + o.option;
      }
    }
  }
  return {};
}

std::string OutputFiles::Write(std::ostream& standardOutput) const {
  std::vector<std::pair<std::string, std::string>> written;  // temporary name, target
  const auto discard = [&written] {
    for (const auto& [temp, target] : written) {
      ::unlink(temp.c_str());
    }
  };
  for (const Output& o : outputs_) {
    if (o.write || IsStandard(o.path)) {
      continue;
    }
    const std::string target = Target(o.path);
    std::string temp;
    if (const std::string fault = WriteTemp(target, o.bytes, &temp); !fault.empty()) {
      discard();
      return o.path + ": " + fault;
    }
    written.emplace_back(temp, target);
  }
  for (const Output& o : outputs_) {
    if (o.write) {
      if (const std::string fault = o.write(o.path); !fault.empty()) {
        discard();
        return fault;
      }
    }
  }
  for (const auto& [temp, target] : written) {
    if (::rename(temp.c_str(), target.c_str()) != 0) {
      const int error = errno;
      discard();
      return target + ": the old file could not be replaced (" + std::strerror(error) + ")";
    }
  }
  for (const Output& o : outputs_) {
    if (IsStandard(o.path)) {
      standardOutput.write(o.bytes.data(), static_cast<std::streamsize>(o.bytes.size()));
    }
  }
  return {};
}

}  // namespace Cli
