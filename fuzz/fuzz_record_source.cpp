// The authors' record sources from arbitrary bytes: parsing never fails silently, and what parses without
// errors writes back to a source that parses to the same records.
#include "orvalis-db/record_source.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvalis::dbtool;
    std::vector<TSourceError> errors;
    const std::vector<orvalis::TRawRecord> records =
        ParseRecordSource({{"fuzz.src", std::string(reinterpret_cast<const char*>(data), size)}}, errors);
    if (!errors.empty())
        return 0;
    std::vector<TSourceError> again;
    if (ParseRecordSource({{"again.src", WriteRecordSource(records)}}, again) != records || !again.empty())
        __builtin_trap();
    return 0;
}
