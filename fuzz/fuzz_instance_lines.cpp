// Reads arbitrary bytes as a connection to the running copy delivers them: the first byte chooses how the
// rest is cut into pieces. Whatever the cut, the messages and the verdict on over-long lines must be those
// of the input read line by line as a whole.
#include "platform/instance_lines.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

struct TVerdict {
    std::vector<orvalis::TInstanceMessage> Messages;
    bool Overlong = false;
};

TVerdict ReadWhole(std::string_view text) {
    TVerdict verdict;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (line.size() > 5) {
            verdict.Overlong = true;
            break;
        }
        if (end == std::string_view::npos)
            break;
        if (line == "show")
            verdict.Messages.push_back(orvalis::TInstanceMessage::imShow);
        else if (line == "close")
            verdict.Messages.push_back(orvalis::TInstanceMessage::imClose);
        text.remove_prefix(end + 1);
    }
    return verdict;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t piece = data[0] % 16 + 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    orvalis::TInstanceLineReader reader;
    std::vector<orvalis::TInstanceMessage> messages;
    for (size_t at = 0; at < text.size(); at += piece) {
        const std::string_view part = text.substr(at, piece);
        if (!reader.Feed(part.data(), part.size(), messages))
            break;
    }
    const TVerdict whole = ReadWhole(text);
    if (messages != whole.Messages || reader.Overlong() != whole.Overlong)
        __builtin_trap();
    return 0;
}
