#include "controls/gauge.h"
#include "controls/rounding.h"
#include "platform/canvas.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace orvalis {

namespace {
std::string Between(int64_t low, int64_t high) {
    char text[80];
    std::snprintf(text, sizeof text, "Value must be between %lld and %lld", (long long)low, (long long)high);
    return text;
}

// length x percent x 0.01, truncated toward zero.
int Share(int length, int percent) {
    return int(double(length) * percent * 0.01);
}
} // namespace

TGauge::TGauge(TWinControl* parent) : TGraphicControl(parent) {
    SetBounds(0, 0, 100, 100);
}

void TGauge::SetMinValue(int32_t value) {
    if (value == FMinValue)
        return;
    if (value > FMaxValue && !Loading())
        throw EInvalidOperation(Between(-2147483647, int64_t(FMaxValue) - 1));
    FMinValue = value;
    if (FProgress < value)
        FProgress = value;
    Repaint();
}

void TGauge::SetMaxValue(int32_t value) {
    if (value == FMaxValue)
        return;
    if (value < FMinValue && !Loading())
        throw EInvalidOperation(Between(int64_t(FMinValue) + 1, 2147483647));
    FMaxValue = value;
    if (FProgress > value)
        FProgress = value;
    Repaint();
}

void TGauge::SetProgress(int32_t value) {
    value = std::clamp(value, FMinValue, std::max(FMinValue, FMaxValue));
    if (value == FProgress)
        return;
    const int before = PercentDone();
    FProgress = value;
    // The gauge shows the progress of work that handles no messages meanwhile.
    if (PercentDone() != before)
        RepaintNow();
}

int TGauge::PercentDone() const {
    const int64_t range = int64_t(FMaxValue) - FMinValue;
    if (range <= 0)
        return 0;
    return int(100 * (int64_t(FProgress) - FMinValue) / range);
}

TRect TGauge::PaintRect() const {
    TRect r = ClientRect();
    if (FBorderStyle == TBorderStyle::bsSingle)
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    return r;
}

void TGauge::PaintLook(TCanvas& c, const TRect& r) const {
    const int percent = PercentDone();
    const int border = FBorderStyle == TBorderStyle::bsSingle ? 1 : 0;
    c.Pen().SetStyle(TPenStyle::psClear);
    auto fill = [&](const TRect& rect, TColor color) {
        c.Brush().SetColor(color);
        c.FillRect(rect);
    };
    switch (FKind) {
    case TGaugeKind::gkText:
        fill(r, FBackColor);
        break;
    case TGaugeKind::gkHorizontalBar: {
        const int w = r.Width() + 1, h = r.Height() + 1;
        fill(r, FBackColor);
        const int bar = std::min(Share(w, percent), w);
        if (bar > 0)
            fill({r.Left, r.Top, bar, h}, FForeColor);
        break;
    }
    case TGaugeKind::gkVerticalBar: {
        const int w = r.Width() + 1, h = r.Height() + 1;
        fill(r, FBackColor);
        int bar = Share(h, percent);
        if (bar >= h)
            bar = h - 1;
        fill({r.Left, h - bar, w, h}, FForeColor);
        break;
    }
    case TGaugeKind::gkPie: {
        const int w = r.Width() + border, h = r.Height() + border;
        fill(r, Color());
        c.Pen() = TPen(FForeColor);
        c.Brush().SetColor(FBackColor);
        c.Ellipse({r.Left, r.Top, w, h});
        if (percent > 0) {
            c.Brush().SetColor(FForeColor);
            const int mx = w / 2, my = h / 2;
            const double a = (percent / 50.0 + 0.5) * std::numbers::pi;
            c.Pie({r.Left, r.Top, w, h},
                  {RoundHalfEven(mx * (1 - std::cos(a))), RoundHalfEven(my * (1 - std::sin(a)))}, {mx, 0});
        }
        break;
    }
    case TGaugeKind::gkNeedle: {
        const int w = r.Width() + border, h = r.Height() + border;
        fill(r, Color());
        c.Pen() = TPen(FForeColor);
        c.Brush().SetColor(FBackColor);
        c.Pie({r.Left, r.Top, w, 2 * h - 1}, {r.Left + w, r.Bottom - 1}, {r.Left, r.Bottom - 1});
        c.MoveTo(r.Left, r.Bottom);
        c.LineTo(r.Left + w, r.Bottom);
        if (percent > 0) {
            const int cx = Width() / 2;
            const double a = percent / 100.0 * std::numbers::pi;
            c.MoveTo(cx, r.Bottom - 1);
            c.LineTo(RoundHalfEven(cx * (1 - std::cos(a))),
                     RoundHalfEven((r.Bottom - 1) * (1 - std::sin(a))));
        }
        break;
    }
    }
}

void TGauge::PaintText(TBitmap& image, const TRect& r) const {
    const std::string text = std::to_string(PercentDone()) + "%";
    TBitmap overlay(image.Width(), image.Height(), clBlack);
    TCanvas& c = overlay.Canvas();
    c.Font() = Font();
    c.Font().SetColor(clWhite);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    const TSize size = c.TextExtent(text);
    c.TextRect(r, (r.Width() + 1 - size.cx) / 2, (r.Height() + 1 - size.cy) / 2, text);
    image.Canvas().CopyRect(ClientRect(), overlay, ClientRect(), TCopyMode::cmSrcInvert);
}

void TGauge::Paint(TCanvas& canvas) {
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap image(Width(), Height(), clBlack);
    const TRect r = PaintRect();
    TBltBitmap overlay;
    overlay.MakeLike(image);
    overlay.Canvas().Brush().SetColor(clBlack);
    overlay.Canvas().FillRect(ClientRect());
    // The looks stay inside the paint rectangle, so the frame of a bordered gauge stays black.
    overlay.Canvas().SetClipRect(r);
    PaintLook(overlay.Canvas(), r);
    image.Canvas().CopyRect(ClientRect(), overlay, ClientRect(), TCopyMode::cmSrcInvert);
    if (FShowText)
        PaintText(image, r);
    canvas.CopyRect(ClientRect(), image, ClientRect(), TCopyMode::cmSrcCopy);
}

} // namespace orvalis
