#include "platform/qt_word_cache.h"

#include "platform/qt_text.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QTextLayout>

namespace orvalis {

namespace {
// The words of all fonts together are forgotten when they reach this many, which keeps memory bounded
// for any input; a reader's texts need a few thousand.
constexpr size_t MaxWords = 200000;
size_t KeptWordCount = 0;

std::unordered_map<std::string, std::unique_ptr<TFontWords>>& Fonts() {
    static std::unordered_map<std::string, std::unique_ptr<TFontWords>> fonts;
    return fonts;
}
} // namespace

// The font is made for the device, so that it carries the device's resolution without the device.
TFontWords::TFontWords(const QFont& font, QPaintDevice* device) : FFont(device ? QFont(font, device) : font) {
    FAscent = QFontMetrics(FFont).ascent();
}

TFontWords& TFontWords::For(const QFont& font, QPaintDevice* device) {
    // Fonts measure by the device's resolution; devices of one resolution share the words.
    auto& fonts = Fonts();
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    const std::string key = font.key().toStdString() + "@" + std::to_string(dpiX) + "x" +
                            std::to_string(dpiY) + "#" + std::to_string(int(font.hintingPreference()));
    auto& entry = fonts[key];
    if (!entry)
        entry = std::make_unique<TFontWords>(font, device);
    return *entry;
}

TShapedWord& TFontWords::Entry(std::string_view word) {
    if (const auto found = FWords.find(word); found != FWords.end())
        return found->second;
    if (KeptWordCount >= MaxWords) {
        // The fonts stay (canvases point at them); only their words go.
        for (auto& [key, font] : Fonts())
            font->FWords.clear();
        KeptWordCount = 0;
    }
    ++KeptWordCount;
    TShapedWord& entry = FWords[std::string(word)];
    entry.Advance = QFontMetrics(FFont).horizontalAdvance(FromCp1252(word));
    return entry;
}

int TFontWords::Advance(std::string_view word) {
    return Entry(word).Advance;
}

const TShapedWord& TFontWords::Shaped(std::string_view word) {
    TShapedWord& shaped = Entry(word);
    if (shaped.Shaped)
        return shaped;
    shaped.Shaped = true;
    // Trailing spaces draw nothing unless a line runs under or through them, so without lines only what
    // comes before them is shaped.
    std::string_view ink = word;
    while (!Decorated() && !ink.empty() && ink.back() == ' ')
        ink.remove_suffix(1);
    if (ink.empty()) {
        shaped.Drawable = true;
        return shaped;
    }
    QTextLayout layout(FromCp1252(ink), FFont);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1)
        return shaped;
    const QRawFont raw = runs[0].rawFont();
    if (!FRawKnown) {
        FRaw = raw;
        FRawKnown = true;
    } else if (!(raw == FRaw)) {
        return shaped;
    }
    shaped.Glyphs = runs[0].glyphIndexes();
    shaped.Positions = runs[0].positions();
    // Positions are taken relative to the cell's top, with the baseline where drawing text puts it.
    const qreal shift = FAscent - line.ascent();
    for (QPointF& position : shaped.Positions)
        position.ry() += shift;
    shaped.Drawable = true;
    return shaped;
}

} // namespace orvalis
