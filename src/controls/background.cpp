#include "controls/background.h"
#include "controls/bitmap_drawing.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace orvalis {

TBackground& TBackground::Assign(const TBackground& other) {
    if (this == &other)
        return *this;
    FPen.Assign(other.FPen);
    FBrush.Assign(other.FBrush);
    FImage.Assign(other.FImage);
    SetImageDrawStyle(other.FImageDrawStyle);
    return *this;
}

const TBitmap* OpaquePicture(const TBackground& background) {
    const auto* bitmap = dynamic_cast<const TBitmap*>(background.Image().Graphic());
    return bitmap != nullptr && !bitmap->Empty() ? bitmap : nullptr;
}

void PaintBackground(TCanvas& canvas, int width, int height, const TBackground& background, int dX, int dY,
                     const TPalette* controlPalette) {
    const TGraphic* picture = background.Image().Graphic();
    // A palette selected for the picture stays selected until the rectangle is drawn too.
    const TPaletteScope palette(canvas, picture && controlPalette ? SharedPalette() : nullptr);
    if (picture) {
        const int pw = picture->Width(), ph = picture->Height();
        switch (background.ImageDrawStyle()) {
        case TImageDrawStyle::idsAlongside:
            // An empty picture would never advance; it draws nothing anyway.
            if (pw > 0 && ph > 0)
                for (int x = dX; x < width; x += pw)
                    for (int y = dY; y < height; y += ph)
                        DrawBitmapAt(&canvas, x, y, picture);
            break;
        case TImageDrawStyle::idsCenter:
            DrawBitmapAt(&canvas, dX + (width - pw) / 2, dY + (height - ph) / 2, picture);
            break;
        case TImageDrawStyle::idsHide:
            break;
        case TImageDrawStyle::idsStretch:
            StretchBitmapInto(&canvas, dX, dY, width - 1, height - 1, picture);
            break;
        case TImageDrawStyle::idsTopLeft:
            DrawBitmapAt(&canvas, dX, dY, picture);
            break;
        }
    }
    canvas.Pen() = background.Pen();
    canvas.Brush() = background.Brush();
    canvas.Rectangle(0, 0, width, height);
}

} // namespace orvalis
