#include "controls/shared_palette.h"
#include "platform/resources.h"
#include "platform/screen.h"

namespace orvalis {

namespace {
struct TPalettes {
    bool Built = false;
    std::optional<TPalette> Pal16;
    std::optional<TPalette> Pal256;
};

TPalettes& Palettes() {
    static TPalettes palettes;
    return palettes;
}

// A missing or damaged resource leaves that palette absent.
std::optional<TPalette> FromResource(const char* name) {
    const auto dib = FindBitmapResource({}, name);
    if (!dib)
        return std::nullopt;
    auto palette = ReadDibPalette(*dib);
    if (!palette || palette->Empty())
        return std::nullopt;
    return palette;
}

void EnsureBuilt() {
    if (!Palettes().Built)
        BuildSharedPalettes();
}
} // namespace

void BuildSharedPalettes() {
    TPalettes& p = Palettes();
    p.Pal16 = FromResource("PAL16");
    p.Pal256 = FromResource("PAL256");
    p.Built = true;
}

void FreeSharedPalettes() {
    Palettes() = {};
}

const TPalette* SharedPalette16() {
    EnsureBuilt();
    return Palettes().Pal16 ? &*Palettes().Pal16 : nullptr;
}

const TPalette* SharedPalette256() {
    EnsureBuilt();
    return Palettes().Pal256 ? &*Palettes().Pal256 : nullptr;
}

const TPalette* SharedPalette() {
    const int bits = Screen().BitsPerPixel();
    if (bits <= 7)
        return SharedPalette16();
    if (bits == 8)
        return SharedPalette256();
    return nullptr;
}

TColor NearestScreenColor(TColor color) {
    if (Screen().BitsPerPixel() != 8)
        return color;
    const TPalette* palette = SharedPalette();
    return palette ? palette->NearestColor(color) : color;
}

} // namespace orvalis
