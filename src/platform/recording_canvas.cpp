#include "platform/recording_canvas.h"
#include "platform/bitmap.h"
#include "platform/palette.h"

namespace orvalis {

namespace {
std::string Point(TPoint p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

const char* StretchModeName(TStretchMode mode) {
    switch (mode) {
    case TStretchMode::smBlackOnWhite:
        return "smBlackOnWhite";
    case TStretchMode::smWhiteOnBlack:
        return "smWhiteOnBlack";
    case TStretchMode::smColorOnColor:
        return "smColorOnColor";
    case TStretchMode::smHalftone:
        break;
    }
    return "smHalftone";
}
} // namespace

RecordingCanvas::RecordingCanvas(int charWidth, int charHeight)
    : FCharWidth(charWidth), FCharHeight(charHeight) {}

std::vector<std::string> RecordingCanvas::CallTexts() const {
    std::vector<std::string> texts;
    for (const TCanvasCall& call : FCalls)
        texts.push_back(call.Text);
    return texts;
}

std::vector<std::string> RecordingCanvas::CallsNamed(std::string_view name) const {
    std::vector<std::string> texts;
    for (const TCanvasCall& call : FCalls)
        if (call.Text.compare(0, call.Text.find('('), name) == 0)
            texts.push_back(call.Text);
    return texts;
}

void RecordingCanvas::Record(std::string text, const TGraphic* graphic) {
    FCalls.push_back({std::move(text), graphic, Pen(), Brush(), Font()});
}

std::string RecordingCanvas::Describe(const TGraphic& graphic) {
    const char* kind = dynamic_cast<const TBitmap*>(&graphic) ? "bitmap " : "icon ";
    return kind + std::to_string(graphic.Width()) + "x" + std::to_string(graphic.Height());
}

std::string RecordingCanvas::Describe(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

const char* RecordingCanvas::Name(TCopyMode mode) {
    static const char* const names[] = {"cmBlackness",  "cmDstInvert",   "cmMergeCopy", "cmMergePaint",
                                        "cmNotSrcCopy", "cmNotSrcErase", "cmPatCopy",   "cmPatInvert",
                                        "cmPatPaint",   "cmSrcAnd",      "cmSrcCopy",   "cmSrcErase",
                                        "cmSrcInvert",  "cmSrcPaint",    "cmWhiteness"};
    return names[int(mode)];
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
    Record("TextOut(" + Point({x, y}) + ",\"" + std::string(text) + "\")");
}

void RecordingCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text) {
    Record("TextRect(" + Describe(clip) + "," + Point({x, y}) + ",\"" + std::string(text) + "\")");
}

TSize RecordingCanvas::TextExtent(std::string_view text) {
    ++FMeasureCount;
    return {int(text.size()) * FCharWidth, FCharHeight};
}

void RecordingCanvas::FillRect(const TRect& rect) {
    Record("FillRect(" + Describe(rect) + ")");
}

void RecordingCanvas::Rectangle(const TRect& rect) {
    Record("Rectangle(" + Describe(rect) + ")");
}

void RecordingCanvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
    Record("RoundRect(" + Describe(rect) + "," + Point({cornerWidth, cornerHeight}) + ")");
}

void RecordingCanvas::Ellipse(const TRect& rect) {
    Record("Ellipse(" + Describe(rect) + ")");
}

void RecordingCanvas::Pie(const TRect& rect, TPoint start, TPoint end) {
    Record("Pie(" + Describe(rect) + "," + Point(start) + "," + Point(end) + ")");
}

void RecordingCanvas::Polyline(std::span<const TPoint> points) {
    std::string text = "Polyline(";
    for (size_t i = 0; i < points.size(); ++i)
        text += (i ? "," : "") + Point(points[i]);
    Record(text + ")");
    if (!points.empty())
        MoveTo(points.back().X, points.back().Y);
}

void RecordingCanvas::DrawLine(TPoint from, TPoint to) {
    Record("Line(" + Point(from) + "," + Point(to) + ")");
}

void RecordingCanvas::Draw(int x, int y, const TGraphic& graphic) {
    Record("Draw(" + Point({x, y}) + "," + Describe(graphic) + ")", &graphic);
}

void RecordingCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
    Record("StretchDraw(" + Describe(rect) + "," + Describe(graphic) + ")", &graphic);
}

void RecordingCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                               TCopyMode mode) {
    Record("CopyRect(" + Describe(dest) + "," + Describe(source) + "," + Describe(sourceRect) + "," +
               Name(mode) + ")",
           &source);
}

void RecordingCanvas::SetStretchMode(TStretchMode mode) {
    FStretchMode = mode;
    Record(std::string("SetStretchMode(") + StretchModeName(mode) + ")");
}

void RecordingCanvas::SetClipRect(const TRect& rect) {
    Record("SetClipRect(" + Describe(rect) + ")");
}

void RecordingCanvas::ResetClip() {
    Record("ResetClip()");
}

const TPalette* RecordingCanvas::SelectPalette(const TPalette* palette) {
    Record("SelectPalette(" + (palette ? std::to_string(palette->Count()) : std::string("none")) + ")");
    const TPalette* previous = FPalette;
    FPalette = palette;
    return previous;
}

void RecordingCanvas::RealizePalette() {
    Record("RealizePalette()");
}

} // namespace orvalis
