#include "content/idb_format.h"

#include <cstring>

namespace orvalis {

namespace {

void PutLE(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t GetLE(std::string_view bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

void PutScrambled(std::string& out, std::string_view field) {
    for (char c : field)
        out.push_back(static_cast<char>(ScrambleByte(static_cast<uint8_t>(c))));
}

std::string Unscrambled(std::string_view field) {
    std::string out(field.size(), '\0');
    for (size_t i = 0; i < field.size(); ++i)
        out[i] = static_cast<char>(ScrambleByte(static_cast<uint8_t>(field[i])));
    return out;
}

} // namespace

bool EncodeDatabase(const std::vector<TRawRecord>& records, std::string& out) {
    if (records.size() > 0x7FFFFFFF)
        return false;
    std::string bytes;
    PutLE(bytes, records.size(), 4);
    for (const TRawRecord& r : records) {
        if (r.Path.size() > MaxFieldLen || r.Text.size() > MaxFieldLen)
            return false;
        PutLE(bytes, r.Id, 4);
        PutLE(bytes, r.Path.size(), 2);
        PutLE(bytes, r.Text.size(), 2);
        PutScrambled(bytes, r.Path);
        PutScrambled(bytes, r.Text);
    }
    out = std::move(bytes);
    return true;
}

TDecodeResult DecodeDatabase(std::string_view bytes) {
    TDecodeResult result;
    if (bytes.size() < 4) {
        result.Error = "the file is shorter than its 4-byte record count";
        return result;
    }
    result.DeclaredCount = static_cast<int32_t>(GetLE(bytes, 0, 4));
    if (result.DeclaredCount < 0) {
        result.Error = "the record count is negative";
        result.ErrorOffset = 0;
        return result;
    }
    size_t at = 4;
    for (int32_t i = 1; i <= result.DeclaredCount; ++i) {
        if (bytes.size() - at < RecordHeaderLen) {
            result.Error = "record " + std::to_string(i) + " of " + std::to_string(result.DeclaredCount) +
                           " is cut off in its header";
            result.ErrorOffset = at;
            return result;
        }
        TRawRecord record;
        record.Id = GetLE(bytes, at, 4);
        const size_t pathLen = GetLE(bytes, at + 4, 2);
        const size_t textLen = GetLE(bytes, at + 6, 2);
        if (bytes.size() - at - RecordHeaderLen < pathLen + textLen) {
            result.Error = "record " + std::to_string(i) + " of " + std::to_string(result.DeclaredCount) +
                           " is cut off in its " +
                           (bytes.size() - at - RecordHeaderLen < pathLen ? "path" : "text");
            result.ErrorOffset = at;
            return result;
        }
        at += RecordHeaderLen;
        record.Path = Unscrambled(bytes.substr(at, pathLen));
        at += pathLen;
        record.Text = Unscrambled(bytes.substr(at, textLen));
        at += textLen;
        result.Records.push_back(std::move(record));
    }
    if (at != bytes.size()) {
        result.Error = std::to_string(bytes.size() - at) + " bytes follow the last record";
        result.ErrorOffset = at;
        return result;
    }
    result.Complete = true;
    return result;
}

} // namespace orvalis
