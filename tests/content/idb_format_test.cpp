#include "content/idb_format.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(ScrambleByte, TableAndSelfInverse) {
    EXPECT_EQ(ScrambleByte(0x80), 0x01);
    EXPECT_EQ(ScrambleByte(0xFE), 0x7F);
    EXPECT_EQ(ScrambleByte(0x01), 0x80);
    EXPECT_EQ(ScrambleByte(0x7F), 0xFE);
    EXPECT_EQ(ScrambleByte(0x00), 0x00);
    EXPECT_EQ(ScrambleByte(0xFF), 0xFF);
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(ScrambleByte(ScrambleByte(static_cast<uint8_t>(v))), v);
}

TEST(DecodeDatabase, RoundTripAndStrictErrors) {
    const std::vector<TRawRecord> records{{7, "1|A", "tekst"}, {0, "", ""}, {9, "", std::string(1, '\0')}};
    std::string bytes;
    ASSERT_TRUE(EncodeDatabase(records, bytes));
    EXPECT_EQ(bytes.substr(0, 12), std::string("\x03\x00\x00\x00\x07\x00\x00\x00\x03\x00\x05\x00", 12));
    TDecodeResult r = DecodeDatabase(bytes);
    EXPECT_TRUE(r.Complete);
    EXPECT_EQ(r.Records, records);

    r = DecodeDatabase(bytes + "x");
    EXPECT_FALSE(r.Complete);
    EXPECT_EQ(r.Error, "1 bytes follow the last record");

    r = DecodeDatabase(bytes.substr(0, 14));
    EXPECT_FALSE(r.Complete);
    EXPECT_EQ(r.Error, "record 1 of 3 is cut off in its path");
    EXPECT_EQ(r.ErrorOffset, 4u);

    r = DecodeDatabase(std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(r.Error, "the record count is negative");
}

TEST(EncodeDatabase, RefusesOversizedField) {
    std::string bytes = "untouched";
    EXPECT_FALSE(EncodeDatabase({{1, "", std::string(MaxFieldLen + 1, 'a')}}, bytes));
    EXPECT_EQ(bytes, "untouched");
    EXPECT_TRUE(EncodeDatabase({{1, "", std::string(MaxFieldLen, 'a')}}, bytes));
}

} // namespace
} // namespace orvalis
