#pragma once

#include <string>
#include <string_view>

namespace Kor {

// Lower case of UTF-8 text, letter by letter over all of Unicode (Control = control, Ä = ä), so
// that labels typed in any language compare the way their writers expect.
std::string ToLower(std::string_view utf8);

bool EqualsNoCase(std::string_view a, std::string_view b);

// Every occurrence of %1, %2, ... replaced by the matching argument.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

// Without leading and trailing white space (space, TAB, CR, LF).
std::string Trim(std::string_view text);

// UTF-8 to UTF-16 code units and back; malformed bytes become U+FFFD.
std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

}  // namespace Kor
