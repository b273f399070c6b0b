#pragma once

#include "platform/graphic.h"

#include <string>

namespace orvalis {

// A picture with transparent parts (an icon or cursor image); drawn blended over what lies beneath.
class TIcon : public TGraphic {
public:
    TIcon() = default;
    TIcon(const TIcon&) = default;
    TIcon& operator=(const TIcon&) = default;

    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }

    // Reads an icon file (the largest image it holds); a failure leaves the icon unchanged. UTF-8 name.
    bool LoadFromFile(const std::string& fileName);
};

} // namespace orvalis
