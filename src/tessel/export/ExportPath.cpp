#include "tessel/export/ExportPath.h"

#include "tessel/support/Strings.h"

namespace Tessel {

std::string WithDefaultExtension(std::string_view path, std::string_view extension) {
  const std::string suffix = "." + Kor::ToLower(extension);
  const std::string lower = Kor::ToLower(path);
  std::string out(path);
  if (lower.size() < suffix.size() ||
      lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) != 0) {
    out += "." + std::string(extension);
  }
  return out;
}

}  // namespace Tessel
