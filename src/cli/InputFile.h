#pragma once

#include <iosfwd>
#include <string>

namespace Cli {

// The file a command reads. "-" is standard input, kept in a temporary file for the readers that
// need one (EDF is read by file name) and removed with this object; messages then name it
// "standard input".
class InputFile {
 public:
  InputFile(const std::string& path, std::istream& in);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // What the readers open.
  const std::string& Path() const { return path_; }
  // "" when it can be read, else "<name>: <fault>".
  const std::string& Fault() const { return fault_; }
  // A reader's message with the temporary file's name replaced by "standard input".
  std::string Mention(std::string message) const;

 private:
  std::string path_;
  std::string spooled_;  // the temporary file; empty for a named file
  std::string fault_;
};

}  // namespace Cli
