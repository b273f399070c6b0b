#include "reading/topic_trail.h"

namespace orvalis {

void TTopicTrail::Add(const TTrailStop& stop) {
    if (FIndex >= 0 && FStops[static_cast<size_t>(FIndex)].SameTopic(stop)) {
        FOnDisplay = true;
        return;
    }
    FStops.resize(static_cast<size_t>(FIndex + 1));
    FStops.push_back(stop);
    if (FStops.size() > static_cast<size_t>(MaxStops))
        FStops.erase(FStops.begin(), FStops.end() - MaxStops);
    FIndex = Count() - 1;
    FOnDisplay = true;
}

void TTopicTrail::Leave(int scrollTop) {
    if (!FOnDisplay)
        return;
    FStops[static_cast<size_t>(FIndex)].ScrollTop = scrollTop;
    FOnDisplay = false;
}

const TTrailStop* TTopicTrail::Back(int scrollTop) {
    if (FIndex < 0 || (FOnDisplay && FIndex == 0))
        return nullptr;
    if (FOnDisplay) {
        Leave(scrollTop);
        --FIndex;
    }
    return Current();
}

const TTrailStop* TTopicTrail::Forward(int scrollTop) {
    if (FIndex + 1 >= Count())
        return nullptr;
    Leave(scrollTop);
    ++FIndex;
    return Current();
}

} // namespace orvalis
