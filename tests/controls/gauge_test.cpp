#include "controls/gauge.h"
#include "platform/bitmap.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

const TColor Fore = TColor::FromRgb(0x2040C0);
const TColor Back = TColor::FromRgb(0xC5D3D6);

TBitmap Painted(TGauge& g) {
    TBitmap target(g.Width(), g.Height(), clRed);
    g.Paint(target.Canvas());
    return target;
}

TGauge& Configure(TGauge& g, TGaugeKind kind, int w, int h, int progress, TBorderStyle border) {
    g.SetBounds(0, 0, w, h);
    g.SetKind(kind);
    g.SetShowText(false);
    g.SetBorderStyle(border);
    g.SetForeColor(Fore);
    g.SetBackColor(Back);
    g.SetColor(TColor::FromRgb(0x30A030));
    g.SetProgress(progress);
    return g;
}

TEST(Gauge, HorizontalBar_FillsItsShareFromTheLeft) {
    TGauge g;
    Configure(g, TGaugeKind::gkHorizontalBar, 100, 4, 50, TBorderStyle::bsNone);
    TBitmap b = Painted(g);
    EXPECT_EQ(b.Pixel(0, 0), Fore);
    EXPECT_EQ(b.Pixel(49, 3), Fore);
    EXPECT_EQ(b.Pixel(50, 0), Back) << "101 x 50% = 50.5, truncated to 50 columns";
    EXPECT_EQ(b.Pixel(99, 3), Back);
    g.SetProgress(100);
    b = Painted(g);
    EXPECT_EQ(b.Pixel(99, 3), Fore);
    g.SetProgress(0);
    EXPECT_EQ(Painted(g).Pixel(0, 0), Back);
}

TEST(Gauge, VerticalBarAtFullWithoutBorder_LeavesTheTopRowUnfilled) {
    TGauge g;
    Configure(g, TGaugeKind::gkVerticalBar, 10, 20, 100, TBorderStyle::bsNone);
    TBitmap b = Painted(g);
    EXPECT_EQ(b.Pixel(5, 0), Back);
    EXPECT_EQ(b.Pixel(5, 1), Fore);
    EXPECT_EQ(b.Pixel(9, 19), Fore);
    g.SetProgress(50);
    b = Painted(g);
    EXPECT_EQ(b.Pixel(5, 10), Back) << "21 x 50% = 10 rows from the bottom: 11 to 20";
    EXPECT_EQ(b.Pixel(5, 11), Fore);
}

TEST(Gauge, SingleBorder_LeavesABlackFrameAroundEveryLook) {
    for (TGaugeKind kind : {TGaugeKind::gkText, TGaugeKind::gkHorizontalBar, TGaugeKind::gkVerticalBar,
                            TGaugeKind::gkPie, TGaugeKind::gkNeedle}) {
        SCOPED_TRACE(int(kind));
        TGauge g;
        Configure(g, kind, 40, 30, 60, TBorderStyle::bsSingle);
        const TBitmap b = Painted(g);
        for (int x = 0; x < 40; ++x) {
            EXPECT_EQ(b.Pixel(x, 0), clBlack) << x;
            EXPECT_EQ(b.Pixel(x, 29), clBlack) << x;
        }
        for (int y = 0; y < 30; ++y) {
            EXPECT_EQ(b.Pixel(0, y), clBlack) << y;
            EXPECT_EQ(b.Pixel(39, y), clBlack) << y;
        }
        EXPECT_NE(b.Pixel(20, 1), clBlack);
    }
}

TEST(Gauge, Pie_FillsItsShareCounterClockwiseFromTheTop) {
    TGauge g;
    Configure(g, TGaugeKind::gkPie, 41, 41, 50, TBorderStyle::bsNone);
    const TBitmap b = Painted(g);
    EXPECT_EQ(b.Pixel(30, 20), Fore) << "half a pie: the right half, filled clockwise from the top";
    EXPECT_EQ(b.Pixel(10, 20), Back);
    EXPECT_EQ(b.Pixel(0, 0), TColor::FromRgb(0x30A030)) << "outside the ellipse the control colour";
}

TEST(Gauge, Text_ShowsInTheInverseOfWhatLiesBeneath) {
    TGauge g;
    Configure(g, TGaugeKind::gkHorizontalBar, 80, 30, 50, TBorderStyle::bsNone);
    const TBitmap plain = Painted(g);
    g.SetShowText(true);
    const TBitmap text = Painted(g);
    int changed = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const TColor a = plain.Pixel(x, y), t = text.Pixel(x, y);
            if (a == t)
                continue;
            ++changed;
            EXPECT_EQ(t.Rgb(), a.Rgb() ^ 0xFFFFFFu) << x << "," << y;
        }
    EXPECT_GT(changed, 10);
}

TEST(Gauge, EqualBounds_ShowNothingDone) {
    TGauge g;
    Configure(g, TGaugeKind::gkHorizontalBar, 20, 4, 100, TBorderStyle::bsNone);
    g.SetMinValue(100);
    EXPECT_EQ(g.MinValue(), g.MaxValue());
    EXPECT_EQ(g.PercentDone(), 0);
    EXPECT_EQ(Painted(g).Pixel(0, 0), Back);
}

TEST(Gauge, Bounds_RefuseCrossingValuesAndClampProgress) {
    TGauge g;
    g.SetProgress(500);
    EXPECT_EQ(g.Progress(), 100);
    g.SetProgress(-5);
    EXPECT_EQ(g.Progress(), 0);
    try {
        g.SetMinValue(101);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Value must be between -2147483647 and 99");
    }
    try {
        g.SetMaxValue(-1);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Value must be between 1 and 2147483647");
    }
    EXPECT_EQ(g.MinValue(), 0);
    EXPECT_EQ(g.MaxValue(), 100);

    g.SetProgress(80);
    g.SetMaxValue(60);
    EXPECT_EQ(g.Progress(), 60);
    g.SetMinValue(-10);
    g.SetProgress(-10);
    g.SetMinValue(10);
    EXPECT_EQ(g.Progress(), 10);

    g.BeginLoading();
    g.SetMinValue(1000);
    g.SetMaxValue(2000);
    g.EndLoading();
    EXPECT_EQ(g.MinValue(), 1000);

    TGauge wide;
    wide.SetMinValue(INT32_MIN + 1);
    wide.SetMaxValue(INT32_MAX);
    wide.SetProgress(0);
    EXPECT_EQ(wide.PercentDone(), 50) << "no overflow over the widest range";
}

class CountingGauge : public TGauge {
public:
    using TGauge::TGauge;
    int Paints = 0;
    void Paint(TCanvas& canvas) override {
        ++Paints;
        TGauge::Paint(canvas);
    }
};

TEST(Gauge, ProgressChange_RepaintsOnlyWhenTheWholePercentChanges) {
    TWinControl host;
    host.SetBounds(0, 0, 120, 20);
    auto* g = new CountingGauge(&host);
    g->SetBounds(0, 0, 100, 5);
    host.Widget()->show();
    QApplication::processEvents();
    g->SetMaxValue(1000);
    const int before = g->Paints;
    g->SetProgress(5);
    g->SetProgress(9);
    EXPECT_EQ(g->Paints, before) << "still 0 %";
    g->SetProgress(10);
    EXPECT_EQ(g->Paints, before + 1);
    g->SetKind(TGaugeKind::gkHorizontalBar);
    EXPECT_EQ(g->Paints, before + 1) << "an equal value does nothing";
    g->SetKind(TGaugeKind::gkPie);
    EXPECT_EQ(g->Paints, before + 2) << "a real change paints at once";
    host.Widget()->hide();
}

} // namespace
} // namespace orvalis
