#pragma once

#include "platform/picture.h"

#include <string>

namespace orvalis {

// The colour depth pictures are decoded to: as the file holds them (lColorVga), 1, 4, 8 or 24 bits, or
// by the screen (lAutoMatic: 4 bits on screens of at most 4 bits per pixel, 8 below 16, else 24).
enum class TLoadResolution { lColorVga, lMonoChrome, lColor16, lColor256, lColorTrue, lAutoMatic };

// The picture loader: writing ImageName decodes that file into Picture, a bitmap with its own palette, or
// leaves Picture empty. BMP, JPEG, GIF, PNG and TIFF come through the platform's readers, PCX through our
// own decoder, ".ICO" as an icon; ".RES" names a bitmap resource of the program (the name without the
// extension). A file that exists but cannot be decoded is reported with an error box (the reason) and an
// information box ("Reading png file failed" and so on) through the message-box service.
class TPMultiImage {
public:
    TPMultiImage() = default;

    const std::string& ImageName() const { return FImageName; }
    // The name is a Windows-1252 path of at most 255 characters (longer ones are cut); backslashes are
    // folder separators. An empty name empties the picture.
    void SetImageName(const std::string& value);

    TLoadResolution ImageReadRes() const { return FImageReadRes; }
    void SetImageReadRes(TLoadResolution value) { FImageReadRes = value; }
    bool ImageDither() const { return FImageDither; }
    void SetImageDither(bool value) { FImageDither = value; }
    // Chooses both for a screen of the given depth: below 8 bits per pixel 16 colours and 8 to 15 bits 256
    // colours, both dithered; otherwise true colour without dithering.
    void SetColorsForScreen(int bitsPerPixel);

    const TPicture& Picture() const { return FPicture; }
    TPicture& Picture() { return FPicture; }

    // Bits per pixel the current settings decode to; 0 keeps the file's own depth.
    int TargetBits() const;

private:
    void Load();
    void Fail(const std::string& formatName, const std::string& reason);

    std::string FImageName;
    TLoadResolution FImageReadRes = TLoadResolution::lAutoMatic;
    bool FImageDither = false;
    TPicture FPicture;
};

} // namespace orvalis
