#pragma once

#include <string>
#include <string_view>

namespace orvalis {

// The system builds paths as Windows-1252 strings with backslashes; the file system wants UTF-8 with '/'.
std::string NativePath(std::string_view systemPath);
bool FileExists(std::string_view systemPath);
// The extension with its dot (".BMP" of "a\b.BMP"), or empty; a name ending in "." answers ".".
std::string ExtensionOf(std::string_view systemPath);

// The folder of the program's executable, ending in a separator, as a Windows-1252 path: everything the
// program reads lies relative to it. Tests may put another folder in its place (an empty one restores it).
std::string ProgramFolder();
void SetProgramFolder(std::string_view systemPath);

} // namespace orvalis
