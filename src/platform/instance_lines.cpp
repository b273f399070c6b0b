#include "platform/instance_lines.h"

namespace orvalis {

namespace {
constexpr size_t LongestWord = 5; // "close"
}

bool TInstanceLineReader::Feed(const char* data, size_t size, std::vector<TInstanceMessage>& messages) {
    for (size_t i = 0; i < size && !FOverlong; ++i) {
        if (data[i] == '\n') {
            if (FLine == "show")
                messages.push_back(TInstanceMessage::imShow);
            else if (FLine == "close")
                messages.push_back(TInstanceMessage::imClose);
            FLine.clear();
        } else if (FLine.size() == LongestWord) {
            FOverlong = true;
        } else {
            FLine.push_back(data[i]);
        }
    }
    return !FOverlong;
}

} // namespace orvalis
