#pragma once

#include <string>
#include <string_view>

namespace orvalis {

// The system builds paths as Windows-1252 strings with backslashes; the file system wants UTF-8 with '/'.
std::string NativePath(std::string_view systemPath);
bool FileExists(std::string_view systemPath);
// The extension with its dot (".BMP" of "a\b.BMP"), or empty; a name ending in "." answers ".".
std::string ExtensionOf(std::string_view systemPath);

} // namespace orvalis
