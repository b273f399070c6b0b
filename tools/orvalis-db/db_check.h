#pragma once

#include <string>
#include <string_view>
#include <vector>

// The consistency check of a record database file, as the reader would experience its content.
namespace orvalis::dbtool {

struct TCheckReport {
    std::vector<std::string> Problems; // one line each, in Windows-1252 like the data they quote
    int Records = 0;
    int Links = 0;
};

// Checks the file: truncation or bytes after the last record, duplicate ids, extra-information and
// recipe records that the topic display would not find after their topic, records no list shows, and link
// targets for which the link search finds no record but the linking one.
TCheckReport CheckDatabase(const std::string& file);

} // namespace orvalis::dbtool
