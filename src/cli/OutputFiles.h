#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace Cli {

// The path that stands for standard input or standard output.
inline constexpr const char* kStandardStream = "-";

// The files one command writes. Every path is checked before any file is written, each file is
// written beside its target under a temporary name and renamed into place only once all of them
// are complete, so a command that fails leaves every earlier file as it was.
class OutputFiles {
 public:
  // A file the command reads: no output may be the same file, whatever its spelling.
  void AddInput(const std::string& path);

  // An output whose bytes are known before anything is written. "-" is standard output.
  void AddBytes(const std::string& option, const std::string& path, std::string bytes);
  // An output written by a writer that puts its file in place itself and checks its own writes
  // (a .strata save); it returns "" or the whole message. It runs after the other files are
  // written and before they are renamed into place.
  using SelfWriter = std::function<std::string(const std::string& path)>;
  void AddSelfWritten(const std::string& option, const std::string& path, SelfWriter write);

  // "" when every output can be written, else "<path>: <fault>" (or "<option>: <fault>").
  std::string Check() const;
  // Whether an output goes to standard output.
  bool UsesStandardOutput() const;
  // Writes everything; "" or the message of the first failure, after which no target has been
  // touched (but for a self-written file whose own save succeeded).
  std::string Write(std::ostream& standardOutput) const;

 private:
  struct Output {
    std::string option;
    std::string path;
    std::string bytes;
    SelfWriter write;  // empty for outputs of known bytes
  };

  std::vector<std::string> inputs_;
  std::vector<Output> outputs_;
};

// "" when path names a file that can be read, else "<path>: <fault>": it does not exist, it is a
// folder, it is a device.
std::string InputFault(const std::string& path);

// The fault of the last failed system call in the words the commands use: "the disk is full"
// when it is, the system's own words otherwise.
std::string SystemFault(int error);

}  // namespace Cli
