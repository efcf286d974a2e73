#pragma once

#include <string>
#include <string_view>

namespace Tessel {

// The path as chosen, with "." + extension appended unless it already ends with it in any case
// ("Data.XML" stays, "data.xml.bak" becomes "data.xml.bak.xml").
std::string WithDefaultExtension(std::string_view path, std::string_view extension);

}  // namespace Tessel
