#pragma once

#include "platform/graphic.h"

#include <memory>

namespace orvalis {

class TBitmap;

// Holds at most one graphic, which it owns; assigning copies.
class TPicture : public TGraphicsObject {
public:
    TPicture() = default;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other) { return Assign(other); }
    ~TPicture() override;

    // Copies the other picture's graphic (or none); raises OnChange.
    TPicture& Assign(const TPicture& other);

    // The graphic, or none.
    const TGraphic* Graphic() const { return FGraphic.get(); }
    TGraphic* Graphic() { return FGraphic.get(); }
    // Keeps a copy of the graphic (none empties the picture); raises OnChange.
    void SetGraphic(const TGraphic* graphic);
    void TakeGraphic(std::unique_ptr<TGraphic> graphic);
    void Clear() { TakeGraphic(nullptr); }

    // The graphic when it is a bitmap, or none.
    const TBitmap* Bitmap() const;
    bool HasGraphic() const { return FGraphic != nullptr; }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

private:
    void Attach();

    std::unique_ptr<TGraphic> FGraphic;
};

} // namespace orvalis
