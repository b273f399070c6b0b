#pragma once

#include "content/idb_format.h"

#include <cstdint>
#include <string>
#include <vector>

// A large synthetic record database for benchmarks and load tests: Dutch-like words with markup, all four
// sections, extra-information and recipe records after section-1 topics, and links between topics.
namespace orvalis::bench {

struct TSyntheticOptions {
    int Records = 20000;
    int MeanTextLen = 2000; // bytes; texts vary from half to one and a half times this
    uint32_t Stream = 1;
};

std::vector<TRawRecord> MakeSyntheticDatabase(const TSyntheticOptions& options);

// One long topic text of about `length` bytes (at most 65,535): paragraphs of Dutch-like running text with
// headings in a larger size, bold and italic words and links.
std::string MakeSyntheticTopic(size_t length, uint32_t stream);

} // namespace orvalis::bench
