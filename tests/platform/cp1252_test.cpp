#include "platform/cp1252.h"
#include "platform/qt_text.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(Cp1252, EveryByte_SurvivesTheRoundTripThroughUtf8AndQString) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
}

TEST(Cp1252, Conversion_MapsTheHighRangeAndReplacesWhatItCannotHold) {
    EXPECT_EQ(Cp1252ToUtf8("\x80 \xE9"), "\xE2\x82\xAC \xC3\xA9");
    EXPECT_EQ(FromCp1252("\x93x\x94"), QString::fromUtf8("\xE2\x80\x9Cx\xE2\x80\x9D"));
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xE2\x86\x92"), "\x80?") << "the arrow has no byte";
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?") << "a truncated sequence";
    EXPECT_EQ(Utf8ToCp1252("\xFF\x41"), "?A");
    EXPECT_EQ(ToCp1252(QString::fromUtf8("\xE4\xB8\xAD")), "?");
}

} // namespace
} // namespace orvalis
