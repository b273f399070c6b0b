#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// The quiz and advice files are 8-bit texts of named sections: a header line that is exactly "[" + name
// + "]", then its body lines up to the next line beginning with "[" or the end of the file. Lines end in
// CR LF (a lone LF or CR also ends one) and are cut to 255 characters; the first section of a name counts.

// The body of the section `name` in `text`, empty lines included; empty when there is no such section.
std::vector<std::string> SectionLines(std::string_view text, std::string_view name);

// The largest section file read; a larger one reads as missing, which bounds what a foreign file can make
// the program take on every question.
inline constexpr std::uintmax_t MaxSectionFileSize = 16u << 20;

// The body of the section `name` of the file; empty when the file is missing, unreadable, larger than
// MaxSectionFileSize or without that section.
std::vector<std::string> ReadSectionLines(std::string_view systemPath, std::string_view name);

} // namespace orvalis
