#pragma once

#include <functional>
#include <type_traits>

namespace orvalis {

// The common root of everything that can be the Sender of an event.
class TObject {
public:
    virtual ~TObject() = default;

protected:
    // The rule of every property setter: a value equal to the stored one (floating values compared
    // exactly) changes nothing; another is stored and shown through the given member of the object (a
    // control repaints, a pen tells its owner). Answers whether the value changed, for setters that do
    // more. Controls and graphics objects add the form without the member, for their usual way to show.
    template <typename T, typename TOwner>
    bool SetProperty(T& field, const std::type_identity_t<T>& value, void (TOwner::*show)()) {
        static_assert(std::is_base_of_v<TObject, TOwner>);
        if (field == value)
            return false;
        field = value;
        (static_cast<TOwner*>(this)->*show)();
        return true;
    }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace orvalis
