#pragma once

#include "platform/brush.h"
#include "platform/pen.h"
#include "platform/picture.h"

namespace orvalis {

class TBitmap;
class TCanvas;
class TPalette;

enum class TImageDrawStyle { idsAlongside, idsCenter, idsHide, idsStretch, idsTopLeft };

// How a control's area is filled: a picture placed by ImageDrawStyle, then a rectangle over the whole
// area with Pen and Brush (so a solid brush covers the picture). OnChange reports a change of the draw
// style; owners watch the pen, brush and picture themselves.
class TBackground : public TObject {
public:
    TBackground() = default;
    TBackground(const TBackground& other) : TObject() { Assign(other); }
    TBackground& operator=(const TBackground& other) { return Assign(other); }

    // Copies pen, brush, picture and draw style, in this order.
    TBackground& Assign(const TBackground& other);

    TBrush& Brush() { return FBrush; }
    const TBrush& Brush() const { return FBrush; }
    void SetBrush(const TBrush& value) { FBrush.Assign(value); }
    TPicture& Image() { return FImage; }
    const TPicture& Image() const { return FImage; }
    void SetImage(const TPicture& value) { FImage.Assign(value); }
    TImageDrawStyle ImageDrawStyle() const { return FImageDrawStyle; }
    void SetImageDrawStyle(TImageDrawStyle value) {
        SetProperty(FImageDrawStyle, value, &TBackground::Changed);
    }
    TPen& Pen() { return FPen; }
    const TPen& Pen() const { return FPen; }
    void SetPen(const TPen& value) { FPen.Assign(value); }

    TNotifyEvent OnChange;

private:
    void Changed() {
        if (OnChange)
            OnChange(this);
    }

    TBrush FBrush;
    TPicture FImage;
    TImageDrawStyle FImageDrawStyle = TImageDrawStyle::idsAlongside;
    TPen FPen;
};

// Paints the background over (0, 0) to (width, height) with the picture offset by (dX, dY). On screens of
// 8 bits per pixel or fewer, a control that has a palette (controlPalette) gets the shared palette
// selected for the picture and restored afterwards.
// The background's picture when PaintBackground copies it opaque (a non-empty bitmap: bitmaps are copied,
// never blended), so that it hides whatever lies under it; none otherwise.
const TBitmap* OpaquePicture(const TBackground& background);

void PaintBackground(TCanvas& canvas, int width, int height, const TBackground& background, int dX, int dY,
                     const TPalette* controlPalette);

} // namespace orvalis
