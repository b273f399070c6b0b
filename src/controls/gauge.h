#pragma once

#include "controls/graphic_control.h"
#include "platform/bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvalis {

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// Raised by a refused property write.
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A bitmap that can take over another's size, filled with the window-frame colour.
class TBltBitmap : public TBitmap {
public:
    void MakeLike(const TBitmap& other) { SetSize(other.Width(), other.Height(), clWindowFrame); }
};

// A progress gauge in five looks with an optional percentage. It composes its picture off screen and
// copies it in one step, so it never flickers.
class TGauge : public TGraphicControl {
public:
    explicit TGauge(TWinControl* parent = nullptr);

    int32_t MinValue() const { return FMinValue; }
    // Refuses a value above MaxValue (except while loading); raises Progress to it.
    void SetMinValue(int32_t value);
    int32_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(int32_t value);
    int32_t Progress() const { return FProgress; }
    // Clamped to MinValue ... MaxValue; repaints only when the whole percentage changes.
    void SetProgress(int32_t value);
    void AddProgress(int32_t value) {
        SetProgress(int32_t(std::clamp<int64_t>(int64_t(FProgress) + value, INT32_MIN, INT32_MAX)));
    }
    TGaugeKind Kind() const { return FKind; }
    void SetKind(TGaugeKind value) { SetProperty(FKind, value, &TGauge::Repaint); }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value) { SetProperty(FShowText, value, &TGauge::Repaint); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value) { SetProperty(FBorderStyle, value, &TGauge::Repaint); }
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor value) { SetProperty(FForeColor, value, &TGauge::Repaint); }
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value) { SetProperty(FBackColor, value, &TGauge::Repaint); }

    // 100 x (Progress - MinValue) / (MaxValue - MinValue), truncated; 0 when the bounds are equal.
    int PercentDone() const;
    TAccessibleRole AccessibleRole() const override { return TAccessibleRole::arProgressBar; }
    TAccessibleValue AccessibleValue() const override { return {FMinValue, FMaxValue, FProgress}; }

    void Paint(TCanvas& canvas) override;

private:
    TRect PaintRect() const;
    void PaintLook(TCanvas& canvas, const TRect& r) const;
    void PaintText(TBitmap& image, const TRect& r) const;

    int32_t FMinValue = 0;
    int32_t FMaxValue = 100;
    int32_t FProgress = 0;
    TGaugeKind FKind = TGaugeKind::gkHorizontalBar;
    bool FShowText = true;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TColor FForeColor = clBlack;
    TColor FBackColor = clWhite;
};

} // namespace orvalis
