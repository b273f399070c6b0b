#include "controls/proportional_image.h"
#include "controls/bitmap_drawing.h"
#include "controls/rounding.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"
#include "platform/screen.h"

#include <cstdlib>

namespace orvalis {

namespace {
struct TFit {
    int Width, Height;
};

// The largest size of the picture's proportions inside the box of sx by sy percent of the area.
TFit FitInBox(int pictureWidth, int pictureHeight, int width, int height, int sx, int sy) {
    const int boxWidth = RoundHalfEven(width * sx / 100.0);
    const int boxHeight = RoundHalfEven(height * sy / 100.0);
    const double w = pictureWidth, h = pictureHeight;
    TFit fit{boxWidth, RoundHalfEven(h / w * boxWidth)};
    if (fit.Height > boxHeight)
        fit = {RoundHalfEven(w / h * boxHeight), boxHeight};
    return fit;
}
} // namespace

TProportionalImage::TProportionalImage(TWinControl* parent) : GGraphicControl(parent) {
    SetBounds(0, 0, 100, 100);
    auto repaint = [this](TObject*) { Repaint(); };
    FBackground.OnChange = repaint;
    FBackground.Image().OnChange = repaint;
    FBackground.Pen().OnChange = repaint;
    FBackground.Brush().OnChange = repaint;
    FImage.OnChange = repaint;
}

TProportionalImage::~TProportionalImage() = default;

void TProportionalImage::SetImage(const TPicture& value) {
    FNewImage = true;
    FImage.Assign(value);
}

void TProportionalImage::SetText(const std::string& value) {
    if (FText == value)
        return;
    FText = value;
    FNewImage = true;
    Repaint();
}

const TPalette* TProportionalImage::GetPalette() const {
    return SharedPalette();
}

std::optional<TRect> TProportionalImage::PictureRect(int width, int height) const {
    const int w = FImage.Width(), h = FImage.Height();
    if (w <= 0 || h <= 0)
        return std::nullopt;
    TFit fit = FitInBox(w, h, width, height, FSx, FSy);
    if (FSxIsStatic || FSyIsStatic) {
        const TFit fixed = FitInBox(w, h, width, height, FStaticSx, FStaticSy);
        if (FSxIsStatic)
            fit.Width = fixed.Width;
        else
            fit.Height = fixed.Height;
    }
    // Integer division halves toward zero.
    return Bounds((width - fit.Width) / 2, (height - fit.Height) / 2, fit.Width, fit.Height);
}

void TProportionalImage::Paint(TCanvas& canvas) {
    if (!Visible() || Loading() || FPainting)
        return;
    struct TGuard {
        TProportionalImage& Image;
        ~TGuard() {
            Image.FPainting = false;
            Image.FNewImage = false;
        }
    } guard{*this};
    FPainting = true;
    const TPalette* palette = SharedPalette();
    const TPaletteScope scope(canvas, palette);
    if (Width() <= 0 || Height() <= 0)
        return;
    // A picture that cannot be composed (no memory for the bitmap) leaves the screen as it was.
    try {
        TBitmap bitmap(Width(), Height());
        if (palette)
            bitmap.SetPalette(*palette);
        Compose(bitmap);
        Transfer(bitmap, canvas);
    } catch (...) {
    }
}

void TProportionalImage::Compose(TBitmap& bitmap) const {
    TCanvas& canvas = bitmap.Canvas();
    const int width = Width(), height = Height();
    PaintBackground(canvas, width, height, FBackground, 0, 0, GetPalette());
    canvas.Font() = Font();
    if (const std::optional<TRect> picture = PictureRect(width, height))
        StretchBitmapInto(&canvas, picture->Left, picture->Top, picture->Width(), picture->Height(),
                          FImage.Graphic());
    if (!FText.empty())
        DrawCaption(canvas, width, height);
}

// A white box with a black frame, centred at the bottom, as high as the font's size in points on this
// screen plus a margin of 2 pixels all round; the caption is black whatever the font's colour.
void TProportionalImage::DrawCaption(TCanvas& canvas, int width, int height) const {
    canvas.Brush().SetColor(clWhite);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Font().SetColor(clBlack);
    const int textWidth = canvas.TextWidth(FText);
    const int boxHeight = RoundHalfEven(std::abs(canvas.Font().Size()) / 72.0 * Screen().PixelsPerInch()) + 4;
    const int boxWidth = textWidth + 4;
    const int left = (width - boxWidth) / 2;
    canvas.Rectangle(left, height - boxHeight, width - left, height);
    const int top = height - boxHeight + (boxHeight - canvas.TextHeight(FText)) / 2;
    canvas.TextRect(Bounds(left + 2, height - boxHeight + 2, textWidth, boxHeight - 4), left + 2, top, FText);
}

void TProportionalImage::Transfer(const TBitmap& bitmap, TCanvas& canvas) const {
    if (FNewImage && FEffects) {
        RunTransition(bitmap, canvas, FEffectSize, FEffect, FEffectSpeed);
        return;
    }
    if (FRasterOperation == TRasterOperation::roSRCCOPY) {
        DrawBitmapAt(&canvas, 0, 0, &bitmap);
        return;
    }
    const TRect all = ClientRect();
    canvas.CopyRect(all, bitmap, all, static_cast<TCopyMode>(FRasterOperation));
}

} // namespace orvalis
