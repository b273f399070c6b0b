#pragma once

#include "content/idb_format.h"

#include <string>
#include <string_view>
#include <vector>

// The authors' source format of the record database: UTF-8 text, one directive line per record followed by
// the record's text. The full description is SourceFormatHelp.
namespace orvalis::dbtool {

extern const char* const SourceFormatHelp;

struct TSourceFile {
    std::string Name; // for messages
    std::string Content;
};

struct TSourceError {
    std::string File;
    int Line = 0;
    std::string Message;
};

// Compiles the sources, in order, into records. Errors are collected (all of them, not just the first);
// the records are only meaningful when there are none.
std::vector<TRawRecord> ParseRecordSource(const std::vector<TSourceFile>& files,
                                          std::vector<TSourceError>& errors);

// Writes records as source text; parsing the result gives the same records back, byte for byte.
std::string WriteRecordSource(const std::vector<TRawRecord>& records);

} // namespace orvalis::dbtool
