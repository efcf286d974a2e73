#pragma once

#include <string>
#include <string_view>

#include "strata/import/RecordingReader.h"

namespace Strata {

// Text exported from spreadsheets and other recorders: one row per sample, the time in seconds in
// the first column and one column per channel, fields separated by tabs, semicolons or commas,
// numbers with a decimal point or a decimal comma. An optional header row names the columns,
// with the units in brackets ("Force [mN]"; the time column may say [ms], [min] or [h]); a column
// headed "Comment" holds comment texts. A jump in time of more than half again the sample
// interval starts a new block.
class DelimitedTextReader : public RecordingReader {
 public:
  bool Recognises(std::string_view head) const override;
  ImportResult Read(const std::string& path, const ImportOptions& options) const override;
  // The same for text already in memory; name stands for the file in messages.
  ImportResult ReadText(std::string_view text, const std::string& name,
                        const ImportOptions& options) const;
};

}  // namespace Strata
