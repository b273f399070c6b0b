#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Windows-1252 and UTF-8 for the content tool: the database holds 8-bit Windows-1252 text, the sources and
// the terminal speak UTF-8. The five byte values that Windows-1252 leaves undefined map to the C1 control
// characters of the same number, so every byte has a character and back.
namespace orvalis::dbtool {

char32_t Cp1252ToUnicode(uint8_t byte);
// The byte for a character, or nothing when Windows-1252 has none. The C1 controls are refused here,
// also the five that a byte decodes to: sources write those bytes as escapes.
std::optional<uint8_t> UnicodeToCp1252(char32_t c);

void AppendUtf8(std::string& out, char32_t c);
// Decodes one UTF-8 sequence at `at`, advancing it; nothing for a malformed or overlong sequence.
std::optional<char32_t> NextUtf8(std::string_view text, size_t& at);

// Whole strings: Windows-1252 bytes to UTF-8 for printing, and UTF-8 to Windows-1252 (nothing when a
// character cannot be written or the UTF-8 is malformed).
std::string Cp1252ToUtf8(std::string_view bytes);
std::optional<std::string> Utf8ToCp1252(std::string_view text);

} // namespace orvalis::dbtool
