#pragma once

#include "platform/object.h"

namespace orvalis {

// Base of pens, brushes, fonts and pictures: an owner learns of every real change through OnChange.
class TGraphicsObject : public TObject {
public:
    TNotifyEvent OnChange;

protected:
    TGraphicsObject() = default;
    // Copies carry the value only; the copy's owner installs its own handler.
    TGraphicsObject(const TGraphicsObject&) : TObject() {}
    TGraphicsObject& operator=(const TGraphicsObject&) { return *this; }

    void Changed() {
        if (OnChange)
            OnChange(this);
    }
    // A changed property is reported through OnChange.
    template <typename T> bool SetProperty(T& field, const std::type_identity_t<T>& value) {
        return TObject::SetProperty(field, value, &TGraphicsObject::Changed);
    }
};

} // namespace orvalis
