#pragma once

// Inside the platform layer only: words shaped once per font and kept, so that measuring and drawing the
// same words again (the texts of the book share most of theirs) costs a lookup.

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QVector>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class QPaintDevice;

namespace orvalis {

struct TShapedWord {
    int Advance = 0;
    // The glyphs and their positions relative to the top left of the text cell; empty when the word needs
    // more than the font's own glyphs (a fallback font) and is drawn as text instead.
    bool Shaped = false;
    bool Drawable = false;
    QVector<quint32> Glyphs;
    QVector<QPointF> Positions;
};

// The words of one font on one kind of device.
class TFontWords {
public:
    TFontWords(const QFont& font, QPaintDevice* device);

    // The advance of the word, as QFontMetrics::horizontalAdvance gives it.
    int Advance(std::string_view word);
    // The word with its glyphs shaped.
    const TShapedWord& Shaped(std::string_view word);
    const QRawFont& RawFont() const { return FRaw; }
    // Underlined or struck out: the lines are drawn with the glyphs, spaces included.
    bool Decorated() const { return FFont.underline() || FFont.strikeOut(); }
    bool Underline() const { return FFont.underline(); }
    bool StrikeOut() const { return FFont.strikeOut(); }
    int Ascent() const { return FAscent; }

    // The words of the font for the device; the fonts live until the program ends, their words until the
    // words of all fonts together reach a bound.
    static TFontWords& For(const QFont& font, QPaintDevice* device);

private:
    TShapedWord& Entry(std::string_view word);

    QFont FFont;
    int FAscent = 0;
    QRawFont FRaw;
    bool FRawKnown = false;
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, TShapedWord, THash, std::equal_to<>> FWords;
};

// Words longer than this are measured and drawn directly: they are rare and would only fill the cache.
constexpr size_t MaxCachedWordLength = 64;

} // namespace orvalis
