#include "controls/base_btn.h"
#include "controls/hand_cursors.h"
#include "platform/bitmap.h"
#include "platform/cursors.h"
#include "platform/icon.h"
#include "platform/qt_image.h"
#include "platform/recording_canvas.h"
#include "platform/screen.h"

#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

constexpr TColor ShadowGray = TColor::FromRgb(0xB0C7C8);
constexpr TColor FaceColor = TColor::FromRgb(0xD5E4E5);

// A button of 100 x 40 whose fractions all land on exact binary values, so that the coordinates below
// can be worked out by hand (and halves show which way they round):
//   face    (0.125, 0.0625) - (0.875, 0.8125)   -> (12.5, 2.5) - (87.5, 32.5)  -> (12, 2, 88, 32)
//   shadow  + (0.0625, 0.125)                    -> (18.75, 7.5) - (93.75, 37.5) -> (19, 8, 94, 38)
//   glyph   (0.0625, 0.125), while down (0.125, 0.25) -> (6, 5), down (12, 10)
//   caption (0.25, 0.375), while down (0.3125, 0.5)    -> (25, 15), down (31, 20)
struct ButtonFixture : testing::Test {
    TBaseBtn Btn;
    TBitmap Up{10, 8}, DownGlyph{12, 8}, Disabled{6, 4};

    ButtonFixture() {
        Btn.SetBounds(0, 0, 100, 40);
        Btn.SetFaceXOffset(0.125);
        Btn.SetFaceYOffset(0.0625);
        Btn.SetFaceWidth(0.75);
        Btn.SetFaceHeight(0.75);
        Btn.SetShadowXOffset(0.0625);
        Btn.SetShadowYOffset(0.125);
        Btn.SetShadowColor(ShadowGray);
        Btn.Brush().SetColor(FaceColor);
        Btn.Pen().SetColor(TColor::FromRgb(0x9BB8B9));
        Btn.SetCaptionXRound(4);
        Btn.SetCaptionYRound(6);
        Btn.SetGlyphXOffset(0.0625);
        Btn.SetGlyphYOffset(0.125);
        Btn.SetCaptionXOffset(0.25);
        Btn.SetCaptionYOffset(0.375);
        Btn.SetCaption("OK");
        Btn.Font().SetColor(clBlue);
        Btn.SetCaptionPenColor(clRed);
        Btn.SetCaptionPenVisible(true);
        Btn.GlyphUp().SetGraphic(&Up);
        Btn.GlyphDown().SetGraphic(&DownGlyph);
        Btn.GlyphDisabled().SetGraphic(&Disabled);
    }
    std::vector<std::string> Paint() {
        Canvas.Clear();
        Btn.Paint(Canvas);
        std::vector<std::string> calls;
        for (const std::string& c : Canvas.CallTexts())
            if (c != "SetStretchMode(smColorOnColor)")
                calls.push_back(c);
        return calls;
    }
    const TCanvasCall& Call(const std::string& text) const {
        for (const TCanvasCall& c : Canvas.Calls())
            if (c.Text == text)
                return c;
        static const TCanvasCall none;
        ADD_FAILURE() << "no call " << text;
        return none;
    }
    RecordingCanvas Canvas;
};

using BaseBtn = ButtonFixture;

TEST(BaseBtnDefaults, FieldsAndHandCursor) {
    TBaseBtn b;
    EXPECT_EQ(b.Width(), 120);
    EXPECT_EQ(b.Height(), 40);
    EXPECT_EQ(b.FaceWidth(), 0.8);
    EXPECT_EQ(b.FaceHeight(), 0.5);
    EXPECT_EQ(b.GlyphWidth(), 0.2);
    EXPECT_EQ(b.GlyphHeight(), 0.8);
    EXPECT_TRUE(b.FaceVisible());
    EXPECT_EQ(b.ShadowColor(), clGray);
    EXPECT_EQ(b.CaptionPenColor(), clBlack);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.Cursor(), -19);
    EXPECT_TRUE(CursorRegistered(-19));
    EXPECT_TRUE(CursorRegistered(-20));
}

TEST_F(BaseBtn, Paint_Up_ShadowFaceGlyphAndEmbossedCaption) {
    EXPECT_EQ(Paint(), (std::vector<std::string>{
                           "RoundRect(19,8,94,38,4,6)",
                           "RoundRect(12,2,88,32,4,6)",
                           "CopyRect(6,5,16,13,bitmap 10x8,0,0,10,8,cmSrcCopy)",
                           "TextOut(24,14,\"OK\")",
                           "TextOut(25,15,\"OK\")",
                       }));
    EXPECT_EQ(Call("RoundRect(19,8,94,38,4,6)").Brush.Color(), ShadowGray);
    EXPECT_EQ(Call("RoundRect(19,8,94,38,4,6)").Pen.Color(), ShadowGray);
    EXPECT_EQ(Call("RoundRect(12,2,88,32,4,6)").Brush.Color(), FaceColor);
    EXPECT_EQ(Call("RoundRect(12,2,88,32,4,6)").Pen.Color(), TColor::FromRgb(0x9BB8B9));
    EXPECT_EQ(Call("TextOut(24,14,\"OK\")").Font.Color(), clRed);
    EXPECT_EQ(Call("TextOut(25,15,\"OK\")").Font.Color(), clBlue);
    EXPECT_EQ(Call("TextOut(25,15,\"OK\")").Brush.Style(), TBrushStyle::bsClear);
}

TEST_F(BaseBtn, Paint_Down_FaceSinksOntoTheShadowAndEverythingMoves) {
    Btn.MouseDown(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_TRUE(Btn.Down());
    EXPECT_EQ(Paint(), (std::vector<std::string>{
                           "RoundRect(19,8,94,38,4,6)",
                           "CopyRect(12,10,24,18,bitmap 12x8,0,0,12,8,cmSrcCopy)",
                           "TextOut(30,19,\"OK\")",
                           "TextOut(31,20,\"OK\")",
                       }));
    EXPECT_EQ(Call("RoundRect(19,8,94,38,4,6)").Brush.Color(), FaceColor) << "the face, not the shadow";

    Btn.GlyphDown().Clear();
    EXPECT_TRUE(Paint()[1].starts_with("TextOut")) << "no down glyph: none drawn";
    Btn.SetGlyphUpIsGlyphDown(true);
    EXPECT_EQ(Paint()[1], "CopyRect(12,10,22,18,bitmap 10x8,0,0,10,8,cmSrcCopy)");

    Btn.MouseUp(TMouseButton::mbLeft, 0, 500, 500);
    EXPECT_FALSE(Btn.Down()) << "released wherever the pointer is";
    Btn.SetButtonIsDown(true);
    EXPECT_TRUE(Btn.Down());
}

TEST_F(BaseBtn, Paint_GlyphStretchedOrCentered) {
    Btn.SetCaption("");
    Btn.SetGlyphWidth(0.5);
    Btn.SetGlyphHeight(0.5);
    Btn.SetGlyphStretched(true);
    // (0.0625, 0.125) - (0.5625, 0.625) -> (6.25, 5) - (56.25, 25)
    EXPECT_EQ(Paint().back(), "CopyRect(6,5,56,25,bitmap 10x8,0,0,10,8,cmSrcCopy)");
    Btn.SetButtonIsDown(true); // (12.5, 10) - (62.5, 30)
    EXPECT_EQ(Paint().back(), "CopyRect(12,10,62,30,bitmap 12x8,0,0,12,8,cmSrcCopy)");
    Btn.SetGlyphCentered(true);
    EXPECT_FALSE(Btn.GlyphStretched());
    // (100 - 12) / 2 + 6.25, (40 - 8) / 2 + 5
    EXPECT_EQ(Paint().back(), "CopyRect(50,21,62,29,bitmap 12x8,0,0,12,8,cmSrcCopy)");
    Btn.SetButtonIsDown(false);
    EXPECT_EQ(Paint().back(), "CopyRect(45,16,55,24,bitmap 10x8,0,0,10,8,cmSrcCopy)");

    TIcon icon;
    MutableQtImage(icon) = QImage(7, 7, QImage::Format_ARGB32_Premultiplied);
    Btn.GlyphUp().SetGraphic(&icon);
    EXPECT_EQ(Paint().back(), "Draw(46,16,icon 7x7)") << "(100 - 7) / 2 halves toward zero";
    Btn.SetGlyphStretched(true);
    EXPECT_FALSE(Btn.GlyphCentered());
    EXPECT_EQ(Paint().back(), "StretchDraw(6,5,56,25,icon 7x7)");
    Btn.SetGlyphStretched(false);
    EXPECT_FALSE(Btn.GlyphCentered()) << "clearing one leaves the other as it was";
}

TEST_F(BaseBtn, Paint_Disabled_NeverSinksNorDrawsTheDownGlyph) {
    Btn.SetEnabled(false);
    EXPECT_EQ(Paint(), (std::vector<std::string>{
                           "RoundRect(19,8,94,38,4,6)",
                           "RoundRect(12,2,88,32,4,6)",
                           "CopyRect(6,5,12,9,bitmap 6x4,0,0,6,4,cmSrcCopy)",
                           "TextOut(24,14,\"OK\")",
                           "TextOut(25,15,\"OK\")",
                       }));
    EXPECT_EQ(Call("TextOut(25,15,\"OK\")").Font.Color(), clGrayText);
    Btn.SetButtonIsDown(true);
    EXPECT_EQ(Paint(), (std::vector<std::string>{
                           "RoundRect(12,2,88,32,4,6)",
                           "CopyRect(6,5,12,9,bitmap 6x4,0,0,6,4,cmSrcCopy)",
                           "TextOut(30,19,\"OK\")",
                           "TextOut(31,20,\"OK\")",
                       }))
        << "no shadow while down, the face stays up, the grey caption moves";
    Btn.GlyphDisabled().Clear();
    EXPECT_EQ(Paint().size(), 3u);
}

TEST_F(BaseBtn, Paint_WithoutFace_SunkenRaisedAndNoFrame) {
    Btn.SetFaceVisible(false);
    Btn.SetCaptionPenVisible(false);
    Btn.GlyphUp().Clear();
    EXPECT_EQ(Paint(), (std::vector<std::string>{"TextOut(25,15,\"OK\")"}));
    Btn.SetButtonIsHot(true);
    EXPECT_EQ(Paint(), (std::vector<std::string>{"Line(99,0,0,0)", "Line(0,0,0,39)", "Line(0,39,99,39)",
                                                 "Line(99,39,99,0)", "TextOut(25,15,\"OK\")"}));
    EXPECT_EQ(Call("Line(0,0,0,39)").Pen.Color(), clWhite);
    EXPECT_EQ(Call("Line(99,39,99,0)").Pen.Color(), clGray);
    Btn.SetButtonIsDown(true);
    EXPECT_EQ(Paint(), (std::vector<std::string>{"CopyRect(12,10,24,18,bitmap 12x8,0,0,12,8,cmSrcCopy)",
                                                 "Line(99,0,0,0)", "Line(0,0,0,39)", "Line(0,39,99,39)",
                                                 "Line(99,39,99,0)", "TextOut(31,20,\"OK\")"}));
    EXPECT_EQ(Call("Line(0,0,0,39)").Pen.Color(), clGray);
    EXPECT_EQ(Call("Line(99,39,99,0)").Pen.Color(), clWhite);
    Btn.SetEnabled(false);
    EXPECT_EQ(Paint(), (std::vector<std::string>{"CopyRect(6,5,12,9,bitmap 6x4,0,0,6,4,cmSrcCopy)",
                                                 "TextOut(31,20,\"OK\")"}))
        << "no frames when disabled";
}

TEST_F(BaseBtn, Paint_NoShadowOffsets_PressingOnlyChangesTheFrame) {
    Btn.SetFaceVisible(false);
    Btn.SetShadowXOffset(0);
    Btn.SetShadowYOffset(0);
    Btn.GlyphDown().Clear();
    Btn.SetGlyphUpIsGlyphDown(true);
    const std::vector<std::string> up = Paint();
    Btn.MouseDown(TMouseButton::mbRight, 0, 1, 1);
    std::vector<std::string> down = Paint();
    ASSERT_EQ(down.size(), up.size() + 4);
    down.erase(down.begin() + 1, down.begin() + 5);
    EXPECT_EQ(down, up);
}

TEST_F(BaseBtn, Paint_InvisibleLoadingAndPalette) {
    Btn.SetVisible(false);
    EXPECT_TRUE(Paint().empty());
    Btn.SetVisible(true);
    Btn.BeginLoading();
    EXPECT_TRUE(Paint().empty());
    Btn.EndLoading();
    TScreenOverride eightBits({.BitsPerPixel = 8});
    const std::vector<std::string> calls = Paint();
    EXPECT_EQ(calls.front(), "SelectPalette(256)");
    EXPECT_EQ(calls[1], "RealizePalette()");
    EXPECT_EQ(calls.back(), "SelectPalette(none)");
}

TEST_F(BaseBtn, MouseDownAndUp_RaiseTheStandardEventsFirst) {
    std::vector<std::string> seen;
    Btn.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        seen.push_back(Btn.Down() ? "down while down" : "down");
    };
    Btn.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        seen.push_back(Btn.Down() ? "up while down" : "up");
    };
    Btn.MouseDown(TMouseButton::mbLeft, 0, 5, 5);
    Btn.MouseUp(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "up while down"}));
}

TEST(HandCursors, RegisteredOnce_FromTheCursorResources_AndShownByControlsAlreadyUsingThem) {
    TControl stock;
    stock.SetCursor(crHourGlass);
    EXPECT_EQ(stock.Widget()->cursor().shape(), Qt::WaitCursor) << "unregistered numbers keep the stock look";
    TControl waiting;
    waiting.SetCursor(crHandNoFingersCursor);
    ASSERT_TRUE(RegisterCursor(crHandNoFingersCursor, "HandNoFingersCursor"));
    EXPECT_EQ(waiting.Widget()->cursor().shape(), Qt::BitmapCursor)
        << "a control showing it takes the new look";
    EXPECT_EQ(waiting.Widget()->cursor().hotSpot(), QPoint(14, 6));
    ASSERT_TRUE(RegisterHandCursors());
    EXPECT_TRUE(RegisterHandCursors());

    for (TCursor c : {crHandCursor, crHandNoFingersCursor}) {
        const TIcon* image = CursorImage(c);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), 32);
        EXPECT_EQ(image->Height(), 32);
        const QImage& q = QtImage(*image);
        EXPECT_EQ(q.pixelColor(0, 0).alpha(), 0) << "transparent around the hand";
        EXPECT_EQ(q.pixelColor(14, 16), QColor(Qt::white)) << "white inside";
    }
    EXPECT_EQ(CursorHotSpot(crHandCursor), (TPoint{11, 1}));
    EXPECT_EQ(QtImage(*CursorImage(crHandCursor)).pixelColor(11, 1), QColor(Qt::black)) << "the fingertip";
    EXPECT_EQ(QtImage(*CursorImage(crHandNoFingersCursor)).pixelColor(11, 1).alpha(), 0)
        << "no extended finger";
    EXPECT_FALSE(RegisterCursor(-30, "NoSuchCursor"));
    EXPECT_FALSE(CursorRegistered(-30));
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// On a scaled screen the hand cursors have the screen's pixels, doubled crisply at whole ratios, and keep
// their hot spot on the fingertip in the picture's own pixels.
TEST(HandCursorsTest, ScaledScreen_CursorHasTheDevicePixels) {
    ASSERT_TRUE(RegisterHandCursors());
    for (const double ratio : {1.0, 2.0, 3.0, 1.5}) {
        SCOPED_TRACE(ratio);
        TScreenOverride screen({.DevicePixelRatio = ratio});
        TControl control;
        control.SetCursor(crHandCursor);
        const QCursor cursor = control.Widget()->cursor();
        const QPixmap pixmap = cursor.pixmap();
        EXPECT_EQ(pixmap.width(), int(std::ceil(32 * ratio)));
        EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
        EXPECT_EQ(cursor.hotSpot(), QPoint(11, 1));
        if (ratio == 2.0) {
            const QImage image = pixmap.toImage();
            EXPECT_EQ(image.pixelColor(22, 2), QColor(Qt::black)) << "the fingertip, doubled";
            EXPECT_EQ(image.pixelColor(23, 3), QColor(Qt::black));
        }
    }
}

} // namespace
} // namespace orvalis
