#pragma once

#include <optional>

namespace orvalis {

// The screen's size, colour depth and resolution. The values come from the primary screen; tests (and a
// reader on a remote display) may fix any of them.
class TScreen {
public:
    int Width() const;
    int Height() const;
    int BitsPerPixel() const;
    int PixelsPerInch() const;

    struct TOverride {
        std::optional<int> Width = std::nullopt;
        std::optional<int> Height = std::nullopt;
        std::optional<int> BitsPerPixel = std::nullopt;
        std::optional<int> PixelsPerInch = std::nullopt;
    };
    void SetOverride(const TOverride& values) { FOverride = values; }
    void ClearOverride() { FOverride = {}; }
    const TOverride& Override() const { return FOverride; }

private:
    TOverride FOverride;
};

TScreen& Screen();

// Fixes screen values for the lifetime of the object and restores the previous ones afterwards.
class TScreenOverride {
public:
    explicit TScreenOverride(const TScreen::TOverride& values);
    ~TScreenOverride();
    TScreenOverride(const TScreenOverride&) = delete;
    TScreenOverride& operator=(const TScreenOverride&) = delete;

private:
    TScreen::TOverride FPrevious;
};

} // namespace orvalis
