#pragma once

#include "controls/background.h"
#include "controls/graphic_control.h"
#include "controls/transition_effects.h"
#include "platform/canvas.h"
#include "platform/picture.h"

#include <optional>
#include <string>

namespace orvalis {

class TBitmap;

// The block transfer that combines the composed picture with the screen; the same operations, in the same
// order, as the canvas's copy modes.
enum class TRasterOperation {
    roBLACKNESS,
    roDSTINVERT,
    roMERGECOPY,
    roMERGEPAINT,
    roNOTSRCCOPY,
    roNOTSRCERASE,
    roPATCOPY,
    roPATINVERT,
    roPATPAINT,
    roSRCAND,
    roSRCCOPY,
    roSRCERASE,
    roSRCINVERT,
    roSRCPAINT,
    roWHITENESS,
};

// A picture scaled to a share of the control's size with its proportions kept, centred on a background,
// optionally with a caption box at the bottom. The whole control is composed off-screen and transferred in
// one block transfer (or revealed by a transition effect, once per new picture or text). Every change of a
// property paints the control at once. 100 x 100 by default.
class TProportionalImage : public GGraphicControl {
public:
    explicit TProportionalImage(TWinControl* parent = nullptr);
    ~TProportionalImage() override;

    TBackground& Background() { return FBackground; }
    const TBackground& Background() const { return FBackground; }
    void SetBackground(const TBackground& value) { FBackground.Assign(value); }
    EffectStyle Effect() const { return FEffect; }
    void SetEffect(EffectStyle value) { Set(FEffect, value); }
    bool Effects() const { return FEffects; }
    void SetEffects(bool value) { Set(FEffects, value); }
    int EffectSize() const { return FEffectSize; }
    void SetEffectSize(int value) { Set(FEffectSize, value); }
    uint8_t EffectSpeed() const { return FEffectSpeed; }
    void SetEffectSpeed(uint8_t value) { Set(FEffectSpeed, value); }
    TPicture& Image() { return FImage; }
    const TPicture& Image() const { return FImage; }
    // Copies the picture; it shows as new.
    void SetImage(const TPicture& value);
    bool NewImage() const { return FNewImage; }
    void SetNewImage(bool value) { Set(FNewImage, value); }
    TRasterOperation RasterOperation() const { return FRasterOperation; }
    void SetRasterOperation(TRasterOperation value) { Set(FRasterOperation, value); }
    int Sx() const { return FSx; }
    void SetSx(int value) { Set(FSx, value); }
    bool SxIsStatic() const { return FSxIsStatic; }
    void SetSxIsStatic(bool value) { Set(FSxIsStatic, value); }
    int StaticSx() const { return FStaticSx; }
    void SetStaticSx(int value) { Set(FStaticSx, value); }
    int Sy() const { return FSy; }
    void SetSy(int value) { Set(FSy, value); }
    bool SyIsStatic() const { return FSyIsStatic; }
    void SetSyIsStatic(bool value) { Set(FSyIsStatic, value); }
    int StaticSy() const { return FStaticSy; }
    void SetStaticSy(int value) { Set(FStaticSy, value); }
    const std::string& Text() const { return FText; }
    // A different text shows as new.
    void SetText(const std::string& value);

    // Where the picture is stretched to in a control of the given size; none without a picture of
    // positive size.
    std::optional<TRect> PictureRect(int width, int height) const;

    const TPalette* GetPalette() const override;
    // Nothing while invisible, loading or already painting. Clears NewImage.
    void Paint(TCanvas& canvas) override;

private:
    template <typename T> void Set(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Repaint();
    }
    void Compose(TBitmap& bitmap) const;
    void DrawCaption(TCanvas& canvas, int width, int height) const;
    void Transfer(const TBitmap& bitmap, TCanvas& canvas) const;

    TBackground FBackground;
    bool FPainting = false;
    EffectStyle FEffect = EffectStyle::esRandom;
    bool FEffects = false;
    int FEffectSize = 1;
    uint8_t FEffectSpeed = 1;
    TPicture FImage;
    bool FNewImage = false;
    TRasterOperation FRasterOperation = TRasterOperation::roSRCCOPY;
    int FSx = 90;
    bool FSxIsStatic = false;
    int FStaticSx = 0;
    int FSy = 90;
    int FStaticSy = 0;
    bool FSyIsStatic = false;
    std::string FText;
};

} // namespace orvalis
