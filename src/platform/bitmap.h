#pragma once

#include "platform/graphic.h"
#include "platform/palette.h"

#include <memory>
#include <optional>
#include <string>

namespace orvalis {

class TCanvas;
class QtCanvas;

// Bits per pixel of a bitmap. Indexed bitmaps (1, 4, 8 bits) carry a colour table.
enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit };

// A bitmap with an optional palette of its own, and a canvas to draw on it.
class TBitmap : public TGraphic {
public:
    TBitmap();
    // A true-colour bitmap filled with the colour. Sizes are logical pixels; the pixels underneath are the
    // screen's, so a bitmap composed for a scaled screen is as sharp as the screen.
    TBitmap(int width, int height, TColor fill = clWhite);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap() override;

    std::unique_ptr<TGraphic> Clone() const override;

    // Resizes to a true-colour bitmap filled with the colour; the old contents are dropped.
    void SetSize(int width, int height, TColor fill = clWhite);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // The colour table of an indexed bitmap, or the palette given to a true-colour one; none otherwise.
    const std::optional<TPalette>& Palette() const { return FPalette; }
    void SetPalette(std::optional<TPalette> palette);

    // A canvas on the bitmap. An indexed bitmap becomes a true-colour one when its canvas is first asked
    // for (its palette stays attached), since drawing happens in true colour.
    TCanvas& Canvas();

    // Reads a BMP (or any other format the platform decodes) and writes PNG or BMP by the extension.
    // File names are UTF-8. Reading failure leaves the bitmap unchanged. Without a format ("png", "bmp",
    // ...) the file's suffix names it, and a file without one is read by its content.
    bool LoadFromFile(const std::string& fileName, const char* format = nullptr);
    bool LoadFromMemory(const void* data, size_t size);
    bool SaveToFile(const std::string& fileName) const;

    // For the platform and imaging layers: takes an image and its pixel format.
    void TakeImage(TImageData data, TPixelFormat format);

protected:
    void FlushDrawing() const override;

private:
    TPixelFormat FPixelFormat = TPixelFormat::pf24bit;
    std::optional<TPalette> FPalette;
    std::unique_ptr<QtCanvas> FCanvas;
};

} // namespace orvalis
