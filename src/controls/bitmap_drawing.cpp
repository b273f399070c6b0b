#include "controls/bitmap_drawing.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/resources.h"

namespace orvalis {

void DrawBitmapAt(TCanvas* canvas, int x, int y, const TGraphic* graphic) {
    if (!canvas || !graphic || graphic->Empty())
        return;
    canvas->SetStretchMode(TStretchMode::smColorOnColor);
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        const int w = bitmap->Width(), h = bitmap->Height();
        canvas->CopyRect(Bounds(x, y, w, h), *bitmap, {0, 0, w, h}, TCopyMode::cmSrcCopy);
        return;
    }
    canvas->Draw(x, y, *graphic);
}

void StretchBitmapInto(TCanvas* canvas, int x, int y, int width, int height, const TGraphic* graphic) {
    if (!canvas || !graphic || graphic->Empty())
        return;
    canvas->SetStretchMode(TStretchMode::smColorOnColor);
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        canvas->CopyRect(Bounds(x, y, width, height), *bitmap, {0, 0, bitmap->Width(), bitmap->Height()},
                         TCopyMode::cmSrcCopy);
        return;
    }
    canvas->StretchDraw(Bounds(x, y, width, height), *graphic);
}

bool LoadPaletteBitmap(const std::string& module, const std::string& name, const TControl*, TBitmap& target) {
    const auto dib = FindBitmapResource(module, name);
    if (!dib)
        return false;
    TBitmap loaded;
    if (!DecodeDib(*dib, loaded))
        return false;
    target = loaded;
    return true;
}

} // namespace orvalis
