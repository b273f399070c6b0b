#pragma once

#include "content/idb_format.h"

#include <cstdint>
#include <vector>

// A large synthetic record database for benchmarks and load tests: Dutch-like words with markup, all four
// sections, extra-information and recipe records after section-1 topics, and links between topics.
namespace orvalis::bench {

struct TSyntheticOptions {
    int Records = 20000;
    int MeanTextLen = 2000; // bytes; texts vary from half to one and a half times this
    uint32_t Seed = 1;
};

std::vector<TRawRecord> MakeSyntheticDatabase(const TSyntheticOptions& options);

} // namespace orvalis::bench
