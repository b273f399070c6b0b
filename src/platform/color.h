#pragma once

#include <cstdint>
#include <string>

namespace orvalis {

// A colour given by its red, green and blue components.
struct TColor {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;

    // From the #RRGGBB number 0xRRGGBB.
    static constexpr TColor FromRgb(uint32_t rgb) {
        return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
    }
    constexpr uint32_t Rgb() const { return uint32_t(R) << 16 | uint32_t(G) << 8 | B; }
    // "#RRGGBB", for messages and test output.
    std::string Hex() const;

    friend constexpr bool operator==(const TColor&, const TColor&) = default;
};

constexpr TColor clBlack = TColor::FromRgb(0x000000);
constexpr TColor clWhite = TColor::FromRgb(0xFFFFFF);
constexpr TColor clGray = TColor::FromRgb(0x808080);
constexpr TColor clSilver = TColor::FromRgb(0xC0C0C0);
constexpr TColor clRed = TColor::FromRgb(0xFF0000);
constexpr TColor clLime = TColor::FromRgb(0x00FF00);
constexpr TColor clBlue = TColor::FromRgb(0x0000FF);
constexpr TColor clYellow = TColor::FromRgb(0xFFFF00);
// The system colours the layer uses; fixed, as on a standard Windows desktop.
constexpr TColor clBtnFace = TColor::FromRgb(0xF0F0F0);
constexpr TColor clWindowFrame = TColor::FromRgb(0x646464);
constexpr TColor clGrayText = TColor::FromRgb(0x6D6D6D);

} // namespace orvalis
