#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The byte layout of the record database: a little-endian signed record count, then per record an unsigned
// 32-bit id, two unsigned 16-bit lengths and the scrambled path and text bytes. Shared by the loader, the
// content tool and the tests that write database files.
namespace orvalis {

inline constexpr size_t MaxFieldLen = 65535;
inline constexpr size_t RecordHeaderLen = 8;

// The fixed byte substitution of paths and texts; it is its own inverse. 1..127 and 128..254 swap places by
// 127, while 0 and 255 stay.
constexpr uint8_t ScrambleByte(uint8_t v) {
    if (v >= 1 && v <= 127)
        return static_cast<uint8_t>(v + 127);
    if (v >= 128 && v <= 254)
        return static_cast<uint8_t>(v - 127);
    return v;
}

// One record as it stands in the file, unscrambled; unlike a loaded TiDbRec it keeps the id of an empty
// record, so that a file can be reproduced byte for byte.
struct TRawRecord {
    uint32_t Id = 0;
    std::string Path;
    std::string Text;
    bool operator==(const TRawRecord&) const = default;
};

// Serialises records into the file layout. Paths and texts longer than MaxFieldLen must be refused by the
// caller; here they would not fit the 16-bit lengths, so EncodeDatabase reports false and writes nothing.
bool EncodeDatabase(const std::vector<TRawRecord>& records, std::string& out);

// The strict reading used by the content tool: the whole of the bytes must be exactly RecordCount records.
struct TDecodeResult {
    std::vector<TRawRecord> Records;
    int32_t DeclaredCount = 0;
    bool Complete = false;  // every declared record read and nothing left over
    size_t ErrorOffset = 0; // where reading stopped when not complete
    std::string Error;      // what went wrong, for the tool's messages
};
TDecodeResult DecodeDatabase(std::string_view bytes);

} // namespace orvalis
