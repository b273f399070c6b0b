#pragma once

#include "platform/color.h"
#include "platform/graphics_object.h"

#include <memory>

namespace orvalis {

struct TImageData;

// A raster picture: a bitmap or an icon. Its pixels live in the platform's image; copies are cheap and
// independent (the pixels are shared until one side changes).
class TGraphic : public TGraphicsObject {
public:
    ~TGraphic() override;

    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    int Width() const;
    int Height() const;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // The colour at the point; black outside the picture.
    TColor Pixel(int x, int y) const;

    // For the platform layer: the pixels, current (any pending drawing is finished first).
    const TImageData& Data() const;
    TImageData& MutableData();

protected:
    TGraphic();
    TGraphic(const TGraphic& other);
    TGraphic& operator=(const TGraphic& other);

    // Finishes drawing in progress on the pixels, so that they can be read or replaced.
    virtual void FlushDrawing() const {}

private:
    std::unique_ptr<TImageData> FData;
};

} // namespace orvalis
