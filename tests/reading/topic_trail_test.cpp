#include "reading/topic_trail.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvalis {
namespace {

TTrailStop Stop(int32_t id, uint8_t flags = 0x21, std::string query = {}) {
    return {flags, std::move(query), id, id, 0};
}

// The topic ids from the current stop back to the start, as steps back reach them.
std::vector<int32_t> WalkBack(TTopicTrail& trail) {
    std::vector<int32_t> ids;
    while (const TTrailStop* stop = trail.Back(0)) {
        ids.push_back(stop->TopicId);
        trail.Arrived();
    }
    return ids;
}

TEST(TopicTrail, BackAndForward_VisitTheStopsInOrderAndStopAtBothEnds) {
    TTopicTrail trail;
    EXPECT_EQ(trail.Back(0), nullptr);
    EXPECT_EQ(trail.Forward(0), nullptr);
    for (int32_t id : {1, 2, 3})
        trail.Add(Stop(id));
    EXPECT_EQ(trail.Forward(0), nullptr) << "the newest stop is on display";
    EXPECT_EQ(WalkBack(trail), (std::vector<int32_t>{2, 1}));
    ASSERT_EQ(trail.Index(), 0);
    const TTrailStop* next = trail.Forward(0);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->TopicId, 2);
    trail.Arrived();
    EXPECT_EQ(trail.Forward(0)->TopicId, 3);
    trail.Arrived();
    EXPECT_EQ(trail.Forward(0), nullptr);
    EXPECT_EQ(trail.Count(), 3) << "stepping adds nothing";
}

TEST(TopicTrail, NewTopicAfterGoingBack_CutsOffTheStopsAhead) {
    TTopicTrail trail;
    for (int32_t id : {1, 2, 3, 4})
        trail.Add(Stop(id));
    trail.Back(0);
    trail.Arrived();
    trail.Back(0);
    trail.Arrived();
    trail.Add(Stop(9));
    EXPECT_EQ(trail.Count(), 3);
    EXPECT_EQ(trail.Forward(0), nullptr);
    EXPECT_EQ(WalkBack(trail), (std::vector<int32_t>{2, 1}));
}

TEST(TopicTrail, SameTopicShownAgain_KeepsTheStopsAheadAndModesCountAsOtherStops) {
    TTopicTrail trail;
    trail.Add(Stop(1));
    trail.Add(Stop(2));
    trail.Back(0);
    trail.Arrived();
    trail.Add(Stop(1)); // the reader picks the topic on display once more
    EXPECT_EQ(trail.Count(), 2);
    EXPECT_EQ(trail.Forward(0)->TopicId, 2);
    trail.Arrived();

    trail.Add(Stop(2, 0x21 | 0x02));      // its extra information
    trail.Add(Stop(2, 0x08 | 0x20, "x")); // the same topic as a search hit
    trail.Add(Stop(2, 0x08 | 0x20, "y")); // ... of another search
    EXPECT_EQ(trail.Count(), 5);
}

TEST(TopicTrail, MoreThanTheLimit_DropsTheOldestStops) {
    TTopicTrail trail;
    for (int32_t id = 1; id <= TTopicTrail::MaxStops + 5; ++id)
        trail.Add(Stop(id));
    EXPECT_EQ(trail.Count(), TTopicTrail::MaxStops);
    EXPECT_EQ(trail.Index(), TTopicTrail::MaxStops - 1);
    const std::vector<int32_t> back = WalkBack(trail);
    ASSERT_EQ(back.size(), size_t(TTopicTrail::MaxStops - 1));
    EXPECT_EQ(back.back(), 6) << "the five oldest are gone";
}

TEST(TopicTrail, StopLeftForAnEmptyPage_IsShownAgainByTheFirstStepBack) {
    TTopicTrail trail;
    trail.Add(Stop(1));
    trail.Add(Stop(2));
    trail.Leave(120); // a search without hits empties the text
    EXPECT_FALSE(trail.OnDisplay());
    const TTrailStop* stop = trail.Back(0);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->TopicId, 2);
    EXPECT_EQ(stop->ScrollTop, 120) << "the stop keeps where its text was scrolled";
    trail.Arrived();
    EXPECT_EQ(trail.Back(40)->TopicId, 1);
    trail.Arrived();
    EXPECT_EQ(trail.Forward(0)->ScrollTop, 40) << "a step keeps the scroll position of the stop it leaves";
}

} // namespace
} // namespace orvalis
