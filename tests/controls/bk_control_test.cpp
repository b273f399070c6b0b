#include "controls/bk_control.h"
#include "controls/graphic_control.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"

#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(BkControl, Paint_SkipsWhileInvisibleOrLoading) {
    TBkControl c;
    EXPECT_EQ(c.Width(), 100);
    EXPECT_EQ(c.Height(), 100);
    RecordingCanvas canvas;
    c.Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(), (std::vector<std::string>{"Rectangle(0,0,100,100)"}));
    canvas.Clear();
    c.BeginLoading();
    c.Paint(canvas);
    c.EndLoading();
    c.SetVisible(false);
    c.Paint(canvas);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(BkControl, Opaque_OnlyWhileABitmapIsLaidSideBySide) {
    TBkControl c;
    const auto opaque = [&c] { return c.Widget()->testAttribute(Qt::WA_OpaquePaintEvent); };
    EXPECT_FALSE(opaque()) << "no picture: the parent shows through the frame";
    TBitmap bitmap(4, 4, clRed);
    c.Background().Image().SetGraphic(&bitmap);
    EXPECT_TRUE(opaque()) << "tiles cover any size";
    c.Background().SetImageDrawStyle(TImageDrawStyle::idsCenter);
    EXPECT_FALSE(opaque());
    c.Background().SetImageDrawStyle(TImageDrawStyle::idsAlongside);
    EXPECT_TRUE(opaque());
    c.Background().Image().Clear();
    EXPECT_FALSE(opaque());
}

// A canvas that paints the control again from inside its first paint.
class ReentrantCanvas : public RecordingCanvas {
public:
    TBkControl* Control = nullptr;
    using RecordingCanvas::Rectangle;
    void Rectangle(const TRect& r) override {
        RecordingCanvas::Rectangle(r);
        if (Control)
            std::exchange(Control, nullptr)->Paint(*this);
    }
};

TEST(BkControl, Paint_InsideItsOwnPaint_DrawsNothingMore) {
    TBkControl c;
    ReentrantCanvas canvas;
    canvas.Control = &c;
    c.Paint(canvas);
    EXPECT_EQ(canvas.Calls().size(), 1u);
    c.Paint(canvas);
    EXPECT_EQ(canvas.Calls().size(), 2u) << "the guard is released after the paint";
}

TEST(BkControl, SetBackground_CopiesAndReportsPalette) {
    TBkControl c;
    TBackground b;
    b.Brush().SetColor(clRed);
    c.SetBackground(b);
    b.Brush().SetColor(clBlue);
    EXPECT_EQ(c.Background().Brush().Color(), clRed);
}

TEST(GraphicControl, EnterAndLeave_RaiseMouseInAndOutWithTheSender) {
    TWinControl host;
    host.SetBounds(0, 0, 50, 50);
    auto* c = new GGraphicControl(&host);
    std::vector<std::string> events;
    c->OnMouseIn = [&](TObject* sender) { events.push_back(sender == c ? "in" : "in?"); };
    c->OnMouseOut = [&](TObject* sender) { events.push_back(sender == c ? "out" : "out?"); };
    QEvent leave(QEvent::Leave);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(c->Widget(), &enter);
    QApplication::sendEvent(c->Widget(), &leave);
    EXPECT_EQ(events, (std::vector<std::string>{"in", "out"}));
}

} // namespace
} // namespace orvalis
