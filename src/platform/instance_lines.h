#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orvalis {

enum class TInstanceMessage { imShow, imClose };

// Reads the words a later start sends to the running copy, from pieces as the socket delivers them. Only a
// whole line equal to "show" or "close" counts; other whole lines are ignored, and a line longer than the
// longest word ends the connection, so nothing longer is ever kept.
class TInstanceLineReader {
public:
    // Appends the messages of the lines completed by data; false once a line grew too long, after which the
    // reader takes nothing more.
    bool Feed(const char* data, size_t size, std::vector<TInstanceMessage>& messages);
    bool Overlong() const { return FOverlong; }

private:
    std::string FLine;
    bool FOverlong = false;
};

} // namespace orvalis
