#include "content/pointer_chain.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace orvalis {
namespace {

int Payload[64];
void* P(int i) {
    return &Payload[i];
}

// A chain model over a vector: the payloads and where the cursor must stand after each call.
struct ChainModel {
    std::vector<void*> Items;
    int Cursor = 0;

    // Positioning always ends on the target when it is in range, whichever end the walk started from.
    void Position(int target) { Cursor = target; }
    bool InRange(int p) const { return p >= 1 && p <= static_cast<int>(Items.size()); }
};

TEST(PointerChain, EmptyChain_AnswersNullAndFalse) {
    TPointerChain chain("HyperLinks");
    EXPECT_EQ(chain.Count(), 0);
    EXPECT_EQ(chain.Get(1), nullptr);
    EXPECT_EQ(chain.Get(0), nullptr);
    EXPECT_FALSE(chain.Delete(1));
    EXPECT_FALSE(chain.Delete(0));
    chain.Put(1, P(1));
    EXPECT_EQ(chain.CursorPos(), 0);
    EXPECT_STREQ(chain.Name(), "HyperLinks");
}

TEST(PointerChain, GetOutOfRange_LeavesCursor) {
    TPointerChain chain("t");
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(chain.Add(P(i)));
    EXPECT_EQ(chain.Get(2), P(2));
    EXPECT_EQ(chain.Get(0), nullptr);
    EXPECT_EQ(chain.CursorPos(), 2);
    EXPECT_EQ(chain.Get(4), nullptr);
    EXPECT_EQ(chain.CursorPos(), 2);
}

TEST(PointerChain, PutAndDeleteOutOfRange_ResetCursorRules) {
    TPointerChain chain("t");
    for (int i = 1; i <= 3; ++i)
        chain.Add(P(i));
    chain.Put(7, P(9));
    EXPECT_EQ(chain.CursorPos(), 1);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(chain.Get(i), P(i));
    EXPECT_FALSE(chain.Delete(4)); // beyond the end: cursor unchanged
    EXPECT_EQ(chain.CursorPos(), 3);
    EXPECT_FALSE(chain.Delete(0)); // below 1: cursor to the first link
    EXPECT_EQ(chain.CursorPos(), 1);
    EXPECT_EQ(chain.Count(), 3);
}

TEST(PointerChain, DeleteOnlyLink_EmptiesAndAddStartsAgain) {
    TPointerChain chain("t");
    chain.Add(P(1));
    EXPECT_TRUE(chain.Delete(1));
    EXPECT_EQ(chain.Count(), 0);
    EXPECT_EQ(chain.CursorPos(), 0);
    EXPECT_EQ(chain.Get(1), nullptr);
    chain.Add(P(2));
    EXPECT_EQ(chain.Count(), 1);
    EXPECT_EQ(chain.Get(1), P(2));
}

TEST(PointerChain, DeleteEnds_KeepsNeighborsLinked) {
    TPointerChain chain("t");
    for (int i = 1; i <= 4; ++i)
        chain.Add(P(i));
    EXPECT_TRUE(chain.Delete(1));
    EXPECT_TRUE(chain.Delete(3));
    EXPECT_EQ(chain.Count(), 2);
    EXPECT_EQ(chain.Get(1), P(2));
    EXPECT_EQ(chain.Get(2), P(3));
    EXPECT_EQ(chain.CursorPos(), 2);
    EXPECT_EQ(chain.Get(1), P(2)); // walking back still works after unlinking
}

TEST(PointerChain, DestroyingChain_LeavesPayloadsToCaller) {
    int* owned = new int(42);
    {
        TPointerChain chain("t");
        chain.Add(owned);
    }
    EXPECT_EQ(*owned, 42); // still valid memory: the chain never frees payloads
    delete owned;
}

// Random calls against the model, from every kind of cursor position: payloads, counts and the cursor
// position after each call must agree.
TEST(PointerChain, RandomOperations_MatchModel) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        TPointerChain chain("t");
        ChainModel model;
        for (int step = 0; step < 120; ++step) {
            const int count = static_cast<int>(model.Items.size());
            const int p = std::uniform_int_distribution<int>(-1, count + 2)(rng);
            switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
            case 0:
                if (count < 60) {
                    ASSERT_TRUE(chain.Add(P(step % 64)));
                    model.Items.push_back(P(step % 64));
                    model.Cursor = count + 1;
                }
                break;
            case 1:
                if (model.InRange(p)) {
                    EXPECT_EQ(chain.Get(p), model.Items[p - 1]);
                    model.Position(p);
                } else {
                    EXPECT_EQ(chain.Get(p), nullptr);
                }
                break;
            case 2:
                chain.Put(p, P(p & 63));
                if (model.InRange(p)) {
                    model.Items[p - 1] = P(p & 63);
                    model.Position(p);
                } else if (count > 0) {
                    model.Cursor = 1;
                }
                break;
            case 3: {
                const bool deleted = chain.Delete(p);
                EXPECT_EQ(deleted, model.InRange(p));
                if (model.InRange(p)) {
                    model.Items.erase(model.Items.begin() + (p - 1));
                    model.Cursor = model.Items.empty() ? 0 : 1;
                } else if (p < 1 && count > 0) {
                    model.Cursor = 1;
                }
                break;
            }
            }
            ASSERT_EQ(chain.Count(), static_cast<int>(model.Items.size()));
            ASSERT_EQ(chain.CursorPos(), model.Cursor) << "round " << round << " step " << step;
        }
        for (int i = 1; i <= chain.Count(); ++i)
            ASSERT_EQ(chain.Get(i), model.Items[i - 1]);
    }
}

} // namespace
} // namespace orvalis
