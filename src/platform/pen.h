#pragma once

#include "platform/color.h"
#include "platform/graphics_object.h"

namespace orvalis {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psClear };

// The outline used by lines, rectangles, ellipses and pies. Default: solid black, 1 pixel.
class TPen : public TGraphicsObject {
public:
    TPen() = default;
    TPen(TColor color, int width = 1, TPenStyle style = TPenStyle::psSolid)
        : FColor(color), FWidth(width), FStyle(style) {}
    TPen(const TPen&) = default;
    // Takes over the other pen's values; raises OnChange when one differs.
    TPen& operator=(const TPen& other) { return Assign(other); }
    TPen& Assign(const TPen& other);

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { SetProperty(FColor, value); }
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value) { SetProperty(FStyle, value); }

    bool SameValue(const TPen& o) const {
        return FColor == o.FColor && FWidth == o.FWidth && FStyle == o.FStyle;
    }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
};

} // namespace orvalis
