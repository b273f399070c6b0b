#include "platform/control.h"
#include "platform/form.h"
#include "platform/recording_canvas.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(Control, ParentColorAndFont_FollowTheParentUntilSetOwn) {
    TWinControl parent;
    parent.SetColor(clYellow);
    parent.Font().SetHeight(-20);
    auto* child = new TControl(&parent);
    EXPECT_EQ(child->Color(), clYellow);
    EXPECT_EQ(child->Font().Height(), -20);
    parent.Font().SetStyle(TFontStyle::fsBold);
    EXPECT_TRUE(child->Font().Style().Has(TFontStyle::fsBold));
    child->Font().SetHeight(-9);
    EXPECT_FALSE(child->ParentFont());
    parent.Font().SetHeight(-30);
    EXPECT_EQ(child->Font().Height(), -9);
    child->SetColor(clRed);
    EXPECT_FALSE(child->ParentColor());
    parent.SetColor(clBlue);
    EXPECT_EQ(child->Color(), clRed);
}

// A control with one property that shows itself through a counting refresh.
class CountingControl : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    double Size() const { return FSize; }
    bool SetSize(double value) { return SetProperty(FSize, value, &CountingControl::Refresh); }
    int Refreshes = 0;

private:
    void Refresh() { ++Refreshes; }
    double FSize = 0.5;
};

TEST(Control, SetProperty_StoresAndRefreshesOnlyADifferentValue) {
    CountingControl c;
    EXPECT_FALSE(c.SetSize(0.5));
    EXPECT_EQ(c.Refreshes, 0);
    EXPECT_TRUE(c.SetSize(0.25));
    EXPECT_EQ(c.Size(), 0.25);
    EXPECT_EQ(c.Refreshes, 1);
    EXPECT_FALSE(c.SetSize(0.25));
    EXPECT_EQ(c.Refreshes, 1);
}

TEST(Control, Align_PlacesChildrenAlongTheEdgesAndInTheRest) {
    TWinControl parent;
    parent.SetBounds(0, 0, 200, 100);
    auto* top = new TControl(&parent);
    top->SetHeight(10);
    top->SetAlign(TAlign::alTop);
    auto* left = new TControl(&parent);
    left->SetWidth(30);
    left->SetAlign(TAlign::alLeft);
    auto* client = new TControl(&parent);
    client->SetAlign(TAlign::alClient);
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 200, 10}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 10, 30, 100}));
    EXPECT_EQ(client->BoundsRect(), (TRect{30, 10, 200, 100}));
    parent.SetBounds(0, 0, 300, 50);
    EXPECT_EQ(client->BoundsRect(), (TRect{30, 10, 300, 50}));
    delete left;
    EXPECT_EQ(parent.Controls().size(), 2u) << "a deleted child leaves its parent";
}

TEST(Control, MouseReports_ReachTheEventsAndAClickNeedsPressAndReleaseInside) {
    TWinControl parent;
    parent.SetBounds(0, 0, 100, 100);
    auto* c = new TControl(&parent);
    c->SetBounds(10, 10, 50, 50);
    std::vector<std::string> log;
    c->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(s) + " " + std::to_string(x) +
                      "," + std::to_string(y));
    };
    c->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    c->OnClick = [&](TObject* sender) { log.push_back(sender == c ? "click" : "click?"); };
    auto send = [&](QEvent::Type type, QPointF p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {}) {
        QMouseEvent e(type, p, c->Widget()->mapToGlobal(p), Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(c->Widget(), &e);
    };
    send(QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseButtonRelease, {7, 8}, Qt::NoButton);
    send(QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {70, 8}, Qt::NoButton);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 9 5,6", "up 7,8", "click", "down 0 8 5,6", "up 70,8"}));
}

// Counts the paints it receives; Paint is what the window system calls.
class PaintCounter : public TControl {
public:
    using TControl::TControl;
    void Paint(TCanvas&) override { ++Paints; }
    int Paints = 0;
};

TEST(Control, PaintBatch_GathersRepaintsUntilTheOutermostCloses_AndAClickOpensOne) {
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto* a = new PaintCounter(&form);
    auto* b = new PaintCounter(&form);
    a->SetBounds(0, 0, 50, 50);
    b->SetBounds(60, 0, 50, 50);
    form.ShowWindow();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    ASSERT_GT(a->Paints, 0) << "the window is shown";
    a->Paints = b->Paints = 0;

    a->Repaint();
    a->Repaint();
    EXPECT_EQ(a->Paints, 2) << "outside a batch every repaint paints at once";

    a->Paints = 0;
    {
        const TPaintBatch outer;
        {
            const TPaintBatch inner;
            a->Repaint();
            a->Repaint();
            b->Repaint();
        }
        EXPECT_EQ(a->Paints, 0) << "the inner batch leaves the painting to the outer one";
    }
    EXPECT_EQ(a->Paints, 1);
    EXPECT_EQ(b->Paints, 1);
    {
        const TPaintBatch batch;
        b->RepaintNow();
        EXPECT_EQ(b->Paints, 2) << "a progress paint does not wait";
    }

    // A click whose handler asks three times paints once, before the click returns.
    a->Paints = 0;
    a->OnClick = [a](TObject*) {
        for (int i = 0; i < 3; ++i)
            a->Repaint();
    };
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(5, 5), a->Widget()->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(a->Widget(), &e);
    }
    EXPECT_EQ(a->Paints, 1);
    EXPECT_FALSE(TPaintBatch::Open());

    // A batch in which only "some time" was asked leaves it to the message loop, also when an earlier batch
    // flushed: the flag of one batch does not leak into the next.
    a->Paints = b->Paints = 0;
    {
        const TPaintBatch batch;
        b->Invalidate();
    }
    EXPECT_EQ(b->Paints, 0);
    QApplication::processEvents();
    EXPECT_EQ(b->Paints, 1);
    {
        const TPaintBatch batch;
        a->Invalidate();
        b->Repaint();
    }
    EXPECT_EQ(a->Paints, 1) << "a batch that paints takes the pending updates with it";
    EXPECT_EQ(b->Paints, 2);
}

// Records the part each paint is asked for.
class PartRecorder : public TControl {
public:
    using TControl::TControl;
    void Paint(TCanvas& canvas) override { Parts.push_back(canvas.PaintRect().value_or(ClientRect())); }
    std::vector<TRect> Parts;
};

TEST(Control, Paint_FewSmallPartsOneByOne_ElseTheirBounds) {
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* c = new PartRecorder(&form);
    c->SetBounds(0, 0, 300, 200);
    form.ShowWindow();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    c->Parts.clear();
    // A strip at the top and one at the bottom, as a label and a gauge over a page picture ask.
    c->Widget()->update(QRect(0, 0, 300, 10));
    c->Widget()->update(QRect(0, 190, 300, 6));
    QApplication::processEvents();
    ASSERT_EQ(c->Parts.size(), 2u);
    EXPECT_EQ(c->Parts[0], (TRect{0, 0, 300, 10}));
    EXPECT_EQ(c->Parts[1], (TRect{0, 190, 300, 196}));

    // Two parts filling most of their bounds are painted at once.
    c->Parts.clear();
    c->Widget()->update(QRect(0, 0, 300, 100));
    c->Widget()->update(QRect(0, 100, 200, 100));
    QApplication::processEvents();
    ASSERT_EQ(c->Parts.size(), 1u);
    EXPECT_EQ(c->Parts[0], (TRect{0, 0, 300, 200}));
}

TEST(Form, PaintFillsWithItsColorAndCloseAsksFirst) {
    TForm form;
    form.SetBounds(0, 0, 40, 30);
    form.SetColor(clBlue);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetFormStyle(TFormStyle::fsStayOnTop);
    EXPECT_TRUE(form.Widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    RecordingCanvas canvas;
    form.Paint(canvas);
    ASSERT_EQ(canvas.CallTexts(), (std::vector<std::string>{"FillRect(0,0,40,30)"}));
    EXPECT_EQ(canvas.Calls()[0].Brush.Color(), clBlue);

    form.ShowWindow();
    bool allow = false;
    form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form.Close();
    EXPECT_TRUE(form.Widget()->isVisible());
    allow = true;
    form.Close();
    EXPECT_FALSE(form.Widget()->isVisible());
}

TEST(Application, ScreenCursor_OverridesAndRestores) {
    Application().SetScreenCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Application().SetScreenCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace orvalis
