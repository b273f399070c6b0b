#pragma once

#include "platform/color.h"
#include "platform/graphics_object.h"

namespace orvalis {

enum class TBrushStyle { bsSolid, bsClear };

// The fill of rectangles, ellipses and pies, and the background of text. Default: solid white.
class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    explicit TBrush(TColor color, TBrushStyle style = TBrushStyle::bsSolid) : FColor(color), FStyle(style) {}
    TBrush(const TBrush&) = default;
    TBrush& operator=(const TBrush& other) { return Assign(other); }
    // Takes over the other brush's values; raises OnChange when one differs.
    TBrush& Assign(const TBrush& other);

    TColor Color() const { return FColor; }
    // Setting a colour on a clear brush makes it solid, so that a colour once chosen shows.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value) { SetProperty(FStyle, value); }

    bool SameValue(const TBrush& o) const { return FColor == o.FColor && FStyle == o.FStyle; }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = TBrushStyle::bsSolid;
};

} // namespace orvalis
