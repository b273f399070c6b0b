#pragma once

#include "platform/color.h"
#include "platform/graphics_object.h"

#include <cstdint>
#include <string>

namespace orvalis {

enum class TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A set of font styles.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(TFontStyle s) : FBits(uint8_t(s)) {}
    constexpr bool Has(TFontStyle s) const { return (FBits & uint8_t(s)) != 0; }
    constexpr TFontStyles With(TFontStyle s) const { return FromBits(uint8_t(FBits | uint8_t(s))); }
    constexpr TFontStyles Without(TFontStyle s) const { return FromBits(uint8_t(FBits & ~uint8_t(s))); }
    constexpr TFontStyles Set(TFontStyle s, bool on) const { return on ? With(s) : Without(s); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint8_t Bits() const { return FBits; }
    friend constexpr TFontStyles operator|(TFontStyles a, TFontStyles b) {
        return FromBits(a.FBits | b.FBits);
    }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr TFontStyles FromBits(int bits) {
        TFontStyles s;
        s.FBits = uint8_t(bits);
        return s;
    }
    uint8_t FBits = 0;
};

constexpr TFontStyles operator|(TFontStyle a, TFontStyle b) {
    return TFontStyles(a) | TFontStyles(b);
}

// A font: name, size, style set and colour. The size is held as Height in pixels; a negative height is the
// character height without internal leading (what a point size gives), a positive one the cell height.
// Size in points and Height convert through PixelsPerInch (96 unless set).
class TFont : public TGraphicsObject {
public:
    TFont() = default;
    TFont(const TFont&) = default;
    TFont& operator=(const TFont& other) { return Assign(other); }
    // Takes over the other font's values; raises OnChange when one differs.
    TFont& Assign(const TFont& other);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value) { SetProperty(FName, value); }
    int Height() const { return FHeight; }
    void SetHeight(int value) { SetProperty(FHeight, value); }
    // Points, rounded to the nearest whole number: -Height * 72 / PixelsPerInch.
    int Size() const;
    // Sets Height to -(points * PixelsPerInch / 72), rounded.
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value) { SetProperty(FStyle, value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetProperty(FColor, value); }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value);
    // The pixel size a renderer uses: the absolute height.
    int PixelSize() const { return FHeight < 0 ? -FHeight : FHeight; }

    bool SameValue(const TFont& o) const {
        return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
               FPixelsPerInch == o.FPixelsPerInch;
    }

private:
    std::string FName = "Arial";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clBlack;
    int FPixelsPerInch = 96;
};

} // namespace orvalis
