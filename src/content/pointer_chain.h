#pragma once

#include <cstdint>

namespace orvalis {

// One link of a TPointerChain: the untyped payload and the two neighbours.
struct TChainLink {
    void* Data = nullptr;
    TChainLink* Next = nullptr; // towards the last link
    TChainLink* Prev = nullptr; // towards the first link
};

// A doubly linked list of untyped pointers addressed by 1-based position, with a remembered cursor so that
// walking in order costs one step per item and a jump starts from the nearest of first link, cursor and last
// link. The chain owns its links, never the payloads: an owner of allocated payloads frees them itself.
class TPointerChain {
public:
    explicit TPointerChain(const char* name);
    ~TPointerChain();
    TPointerChain(const TPointerChain&) = delete;
    TPointerChain& operator=(const TPointerChain&) = delete;

    // Appends a link after the last one and moves the cursor to it; false when no link could be allocated.
    bool Add(void* data);
    int32_t Count() const { return FCount; }
    // The payload at the position, or null when out of range (the cursor then stays where it was).
    void* Get(int32_t position);
    // Replaces the payload; out of range stores nothing and resets the cursor to the first link.
    void Put(int32_t position, void* data);
    // Unlinks and frees the link at the position, leaving its payload alone; the cursor returns to the first
    // link afterwards.
    bool Delete(int32_t position);

    int32_t CursorPos() const { return FCursorPos; }
    const char* Name() const { return FName; }

private:
    // Moves the cursor towards the position; true when it arrived there.
    bool MoveTo(int32_t position);
    void ResetCursorToFirst();

    int32_t FCount = 0;
    TChainLink* FCursor = nullptr;
    int32_t FCursorPos = 0;
    TChainLink* FFirst = nullptr;
    TChainLink* FLast = nullptr;
    const char* FName = nullptr;
};

} // namespace orvalis
