#include "content/pointer_chain.h"

#include <new>

namespace orvalis {

TPointerChain::TPointerChain(const char* name) : FName(name) {}

TPointerChain::~TPointerChain() {
    TChainLink* link = FLast;
    while (link != nullptr) {
        TChainLink* prev = link->Prev;
        delete link;
        link = prev;
    }
}

bool TPointerChain::Add(void* data) {
    auto* link = new (std::nothrow) TChainLink;
    if (link == nullptr)
        return false;
    link->Data = data;
    link->Prev = FLast;
    if (FLast != nullptr)
        FLast->Next = link;
    else
        FFirst = link;
    FLast = link;
    ++FCount;
    FCursor = link;
    FCursorPos = FCount;
    return true;
}

void TPointerChain::ResetCursorToFirst() {
    if (FCount == 0)
        return;
    FCursor = FFirst;
    FCursorPos = 1;
}

bool TPointerChain::MoveTo(int32_t position) {
    if (FCount == 0 || position < 1 || position > FCount)
        return false;
    if (position > FCursorPos) {
        // A tie goes to the last link.
        if (!(position - FCursorPos < FCount - position)) {
            FCursor = FLast;
            FCursorPos = FCount;
        }
    } else if (position < FCursorPos) {
        // A tie goes to the first link.
        if (!(FCursorPos - position < position - 1)) {
            FCursor = FFirst;
            FCursorPos = 1;
        }
    }
    while (FCursorPos < position && FCursor->Next != nullptr && FCursorPos < FCount) {
        FCursor = FCursor->Next;
        ++FCursorPos;
    }
    while (FCursorPos > position && FCursor->Prev != nullptr && FCursorPos > 1) {
        FCursor = FCursor->Prev;
        --FCursorPos;
    }
    return FCursorPos == position;
}

void* TPointerChain::Get(int32_t position) {
    if (!MoveTo(position))
        return nullptr;
    return FCursor->Data;
}

void TPointerChain::Put(int32_t position, void* data) {
    if (!MoveTo(position)) {
        ResetCursorToFirst();
        return;
    }
    FCursor->Data = data;
}

bool TPointerChain::Delete(int32_t position) {
    if (FCount == 0 || position > FCount)
        return false;
    if (position < 1) {
        ResetCursorToFirst();
        return false;
    }
    if (!MoveTo(position))
        return false;
    TChainLink* link = FCursor;
    if (link == FFirst)
        FFirst = link->Next;
    if (link == FLast)
        FLast = link->Prev;
    if (link->Next != nullptr)
        link->Next->Prev = link->Prev;
    if (link->Prev != nullptr)
        link->Prev->Next = link->Next;
    delete link;
    --FCount;
    if (FCount == 0) {
        FCursor = nullptr;
        FCursorPos = 0;
        FFirst = nullptr;
        FLast = nullptr;
    } else {
        FCursor = FFirst;
        FCursorPos = 1;
    }
    return true;
}

} // namespace orvalis
