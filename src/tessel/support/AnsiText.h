#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Kor {

// UTF-8 text of bytes in the Windows-1252 code page, the ANSI code page that old document
// streams were written in. The five bytes the code page leaves undefined keep their own value as
// a code point, as the platform's converter does.
std::string FromWindows1252(const std::vector<std::uint8_t>& bytes);

}  // namespace Kor
