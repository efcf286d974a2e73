#pragma once

#include <string>

#include "cli/OutputFiles.h"
#include "tessel/export/ITableCells.h"

namespace Cli {

// The table's three exports that analyze and export both write.
struct TableFiles {
  std::string xml;     // Prism XML
  std::string text;    // the table as text
  std::string params;  // the fitted parameters as text

  bool Any() const { return !xml.empty() || !text.empty() || !params.empty(); }
  // Adds the files asked for without their bytes, to check the paths before any work is done.
  void PlanTo(OutputFiles& files) const;
  // Adds the files asked for, with their bytes: the exports exactly as the desktop writes them.
  void AddTo(OutputFiles& files, const Tessel::ITableCells& cells,
             const std::string& paramsText) const;
};

}  // namespace Cli
