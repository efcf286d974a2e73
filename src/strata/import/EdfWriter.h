#pragma once

#include <string>

#include "strata/recording/Recording.h"

namespace Strata {

// The start of the recording written into the EDF+ header. Fixed by the caller, never taken from
// the clock, so that the same recording always gives the same file.
struct EdfStartTime {
  int year = 2026;
  int month = 1;
  int day = 5;
  int hour = 9;
  int minute = 0;
  int second = 0;
};

// Writes a one-block recording as an EDF+ file through EDFlib: every channel with its title and
// units, its samples quantised to 16 bits over the channel's own range, and every comment as an
// annotation (a comment on one channel ends in "@@<channel title>"). The file appears under path
// only when it was written completely. Returns the fault, or empty.
std::string WriteEdfPlus(const Recording& recording, const std::string& path,
                         const EdfStartTime& start = {});

// The same file as bytes in memory, for a caller that writes them itself. "" or the fault.
std::string EdfPlusBytes(const Recording& recording, std::string* bytes,
                         const EdfStartTime& start = {});

}  // namespace Strata
