#pragma once

#include <functional>

namespace orvalis {

// The common root of everything that can be the Sender of an event.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace orvalis
