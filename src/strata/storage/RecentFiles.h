#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace Strata {

// The files the user opened or saved last, newest first, each once, at most a fixed number.
class RecentFiles {
 public:
  static constexpr std::size_t kMost = 8;

  explicit RecentFiles(std::vector<std::string> files = {});

  // The file moves to the top (or enters there, pushing the oldest out).
  void Add(const std::string& path);
  // A file that can no longer be opened leaves the list.
  void Remove(const std::string& path);
  const std::vector<std::string>& Files() const { return files_; }
  // The menu text of the n-th file: its number as the mnemonic, then the file's name and folder.
  std::string MenuText(std::size_t n) const;

 private:
  std::vector<std::string> files_;
};

}  // namespace Strata
