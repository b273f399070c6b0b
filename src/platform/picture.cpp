#include "platform/picture.h"
#include "platform/bitmap.h"

namespace orvalis {

TPicture::TPicture(const TPicture& other) : TGraphicsObject(other) {
    if (other.FGraphic)
        FGraphic = other.FGraphic->Clone();
    Attach();
}

TPicture::~TPicture() = default;

TPicture& TPicture::Assign(const TPicture& other) {
    if (this != &other)
        SetGraphic(other.Graphic());
    return *this;
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    TakeGraphic(graphic ? graphic->Clone() : nullptr);
}

void TPicture::TakeGraphic(std::unique_ptr<TGraphic> graphic) {
    if (!graphic && !FGraphic)
        return;
    FGraphic = std::move(graphic);
    Attach();
    Changed();
}

const TBitmap* TPicture::Bitmap() const {
    return dynamic_cast<const TBitmap*>(FGraphic.get());
}

void TPicture::Attach() {
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) { Changed(); };
}

} // namespace orvalis
