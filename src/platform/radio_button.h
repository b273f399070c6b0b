#pragma once

#include "platform/control.h"

#include <string>

namespace orvalis {

// A radio button; buttons with the same parent exclude one another.
class TRadioButton : public TControl {
public:
    explicit TRadioButton(TWinControl* parent = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& value);
    bool Checked() const;
    // Checking one button of a parent unchecks the others; OnClick follows a change by the user only.
    void SetChecked(bool value);
};

} // namespace orvalis
