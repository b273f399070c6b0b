#include "orvalis-db/cp1252.h"

#include <gtest/gtest.h>

namespace orvalis::dbtool {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const char32_t c = Cp1252ToUnicode(static_cast<uint8_t>(b));
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        if (undefined) {
            EXPECT_EQ(c, static_cast<char32_t>(b));
            EXPECT_FALSE(UnicodeToCp1252(c)); // sources write these as escapes
        } else {
            EXPECT_EQ(UnicodeToCp1252(c), b) << b;
        }
    }
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(UnicodeToCp1252(U'\u0153'), 0x9C);
    EXPECT_FALSE(UnicodeToCp1252(U'\u0100'));
    EXPECT_FALSE(UnicodeToCp1252(U'\U0001F600'));
}

TEST(Utf8, MalformedSequencesAreRefused) {
    EXPECT_EQ(Utf8ToCp1252("\xC3\xA9\xC3\xABn \xE2\x82\xAC"), std::string("\xE9\xEBn \x80"));
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xFF", "\x80", "\xE2\x82"})
        EXPECT_FALSE(Utf8ToCp1252(bad)) << bad;
    EXPECT_EQ(Cp1252ToUtf8("\xC9\xE9n"), "\xC3\x89\xC3\xA9n");
}

} // namespace
} // namespace orvalis::dbtool
