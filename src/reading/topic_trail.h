#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvalis {

// One topic as it was shown: the navigation flags of its mode, section and text (information, extra
// information or recipe), the search text of a keyword or link search, the topic's Id and ordinal in the
// selection that showed it, and how far its text was scrolled when the reader left it.
struct TTrailStop {
    uint8_t NavFlags = 0;
    std::string Query;
    int32_t TopicId = 0;
    int32_t TopicOrdinal = 0;
    int ScrollTop = 0;

    // The same topic text in the same mode; the scroll position does not count.
    bool SameTopic(const TTrailStop& other) const {
        return NavFlags == other.NavFlags && TopicId == other.TopicId && Query == other.Query;
    }
};

// The topics shown in this session, for back and forward: a browser's trail. Going back and then to a new
// topic cuts off the stops ahead; the oldest stops go once there are more than MaxStops.
class TTopicTrail {
public:
    static constexpr int MaxStops = 100;

    // A topic has been shown. When it is the current stop again, the trail stays as it is.
    void Add(const TTrailStop& stop);
    // The text of the stop on display gives way to another (or to none); the stop keeps its scroll position.
    void Leave(int scrollTop);
    // The stop to show for a step back: the current one when it is not on display (the reader has moved on
    // to an empty page, such as a search without hits), else the one before it; none at the start. The stop
    // on display keeps the scroll position.
    const TTrailStop* Back(int scrollTop);
    // The stop after the current one; none at the end.
    const TTrailStop* Forward(int scrollTop);
    // The stop a step returned is on display now.
    void Arrived() { FOnDisplay = FIndex >= 0; }

    int Count() const { return static_cast<int>(FStops.size()); }
    // The 0-based index of the current stop; -1 while the trail is empty.
    int Index() const { return FIndex; }
    const TTrailStop* Current() const { return FIndex >= 0 ? &FStops[static_cast<size_t>(FIndex)] : nullptr; }
    bool OnDisplay() const { return FOnDisplay; }

private:
    std::vector<TTrailStop> FStops;
    int FIndex = -1;
    bool FOnDisplay = false;
};

} // namespace orvalis
