#include "strata/storage/RecentFiles.h"

#include <algorithm>
#include <filesystem>

namespace Strata {

namespace {

// Two spellings of one file are one entry.
std::string Canonical(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace

RecentFiles::RecentFiles(std::vector<std::string> files) {
  // Stored lists are read newest first; adding the oldest first keeps that order.
  std::reverse(files.begin(), files.end());
  for (const std::string& f : files) {
    if (!f.empty()) {
      Add(f);
    }
  }
}

void RecentFiles::Add(const std::string& path) {
  const std::string file = Canonical(path);
  Remove(file);
  files_.insert(files_.begin(), file);
  if (files_.size() > kMost) {
    files_.resize(kMost);
  }
}

void RecentFiles::Remove(const std::string& path) {
  const std::string file = Canonical(path);
  files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
}

std::string RecentFiles::MenuText(std::size_t n) const {
  const std::filesystem::path file(files_.at(n));
  std::string name = file.filename().string();
  // An ampersand in a name is shown, not taken as the mnemonic.
  std::string shown;
  for (char c : name) {
    shown += c == '&' ? std::string("&&") : std::string(1, c);
  }
  return "&" + std::to_string(n + 1) + " " + shown + "  (" + file.parent_path().string() + ")";
}

}  // namespace Strata
