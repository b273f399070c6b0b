#pragma once

#include <string>
#include <string_view>

namespace orvalis {

// The system's texts are Windows-1252; outside data (file names, the clipboard of other programs) is UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// The Unicode code point of one Windows-1252 byte; the five unassigned bytes map to themselves (C1 controls).
char32_t Cp1252ToUnicode(unsigned char c);
// The Windows-1252 byte of a code point, or 0 when there is none.
unsigned char UnicodeToCp1252(char32_t u);

} // namespace orvalis
