#include "platform/cp1252.h"

namespace orvalis {

namespace {
// 0x80 to 0x9F; the rest of the range is identical to Latin-1.
constexpr char32_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}
} // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? High[c - 0x80] : char32_t(c);
}

unsigned char UnicodeToCp1252(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return (unsigned char)u;
    for (int i = 0; i < 32; ++i)
        if (High[i] == u)
            return (unsigned char)(0x80 + i);
    return 0;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(out, Cp1252ToUnicode((unsigned char)c));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto b = (unsigned char)text[i];
        int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + size_t(length) > text.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t u = length == 1 ? b : char32_t(b & (0x7F >> length));
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto c = (unsigned char)text[i + size_t(k)];
            if ((c & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            u = (u << 6) | (c & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        i += size_t(length);
        const unsigned char mapped = UnicodeToCp1252(u);
        out += mapped != 0 || u == 0 ? char(mapped) : '?';
    }
    return out;
}

} // namespace orvalis
