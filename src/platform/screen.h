#pragma once

#include <optional>

namespace orvalis {

// The screen's size, colour depth and resolution. The values come from the primary screen; tests (and a
// reader on a remote display) may fix any of them. Width and height are logical pixels: on a desktop that
// scales (a 4K screen at 200 %) one logical pixel covers DevicePixelRatio device pixels in each direction.
class TScreen {
public:
    int Width() const;
    int Height() const;
    int BitsPerPixel() const;
    int PixelsPerInch() const;
    // Device pixels per logical pixel, 1 without desktop scaling. For the platform layer only: canvases,
    // bitmaps and cursors are made at device resolution, while controls work in logical pixels.
    double DevicePixelRatio() const;

    struct TOverride {
        std::optional<int> Width = std::nullopt;
        std::optional<int> Height = std::nullopt;
        std::optional<int> BitsPerPixel = std::nullopt;
        std::optional<int> PixelsPerInch = std::nullopt;
        std::optional<double> DevicePixelRatio = std::nullopt;
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
