#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// The system builds paths as Windows-1252 strings with backslashes; the file system wants UTF-8 with '/'.
std::string NativePath(std::string_view systemPath);
bool FileExists(std::string_view systemPath);
// The whole content of a file, or none when it is not a file that can be read to its end or when it holds
// more than maxSize bytes, which bounds what a damaged or foreign file can make the reader take.
std::optional<std::vector<uint8_t>> ReadWholeFile(std::string_view systemPath, std::uintmax_t maxSize);
// The extension with its dot (".BMP" of "a\b.BMP"), or empty; a name ending in "." answers ".".
std::string ExtensionOf(std::string_view systemPath);
// The file of a picture drawn at twice the resolution, for scaled screens: "@2x" before the extension
// ("I\T\vis@2x.png" of "I\T\vis.png"), or at the end of a name without one.
std::string DoubledName(std::string_view systemPath);

// The folder of the running program file with its trailing separator, as a Windows-1252 string: every file
// the program reads is named relative to it. Tests may put another folder in its place.
std::string ProgramFolder();
// Replaces the program folder (an empty value restores the real one) and answers the previous replacement.
std::string SetProgramFolder(std::string folder);
// The program folder followed by a relative name (for example D\iDbRecs.dat), cut to 255 characters.
std::string ProgramPath(std::string_view relativeName);

} // namespace orvalis
