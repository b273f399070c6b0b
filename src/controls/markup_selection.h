#pragma once

#include "content/text_range.h"
#include "controls/markup_layout.h"
#include "platform/geometry.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace orvalis {

class TCanvas;

// Where selecting meets the laid-out words of a text (`words` of TMarkupLayout::Words over `text`). Text
// positions are offsets into the text; characters are measured on the canvas in their word's font.
class TMarkupSelection {
public:
    TMarkupSelection(std::span<const TMarkupWord> words, std::string_view text, TCanvas& canvas)
        : FWords(words), FText(text), FCanvas(canvas) {}

    // The text position nearest the point: the character boundary nearest to it on the line it is on (the
    // line above in a gap between lines); the start of the first word above the text and the end of the
    // last one below it.
    size_t PositionAt(TPoint point) const;
    // The word under the point: the letters and digits around the character there, also across style
    // changes inside the word; a character that is neither gives itself alone.
    TTextRange WordAt(TPoint point) const;
    // The rectangles that show the range, one per word it touches, cut at its ends; only those reaching
    // into `visible` when given.
    std::vector<TRect> Rects(TTextRange range, const TRect* visible = nullptr) const;

private:
    // A character boundary inside a word: the word's index and how many of its characters lie before it.
    struct THit {
        size_t Word = 0;
        size_t Index = 0;
    };
    // Whether a point inside a word stands for the boundary nearest to it (a caret) or for the character
    // under it (a word to pick).
    enum class TBoundary { Nearest, Under };
    THit Hit(TPoint point, TBoundary boundary) const;
    // Where the word's character `index` (its drawn characters counted; its length for its end) stands
    // in the text: the line-break characters it does not draw are passed over.
    size_t SourceOf(const TMarkupWord& word, size_t index) const;
    // How many of the word's drawn characters stand before the position.
    size_t IndexOf(const TMarkupWord& word, size_t position) const;
    size_t EndOf(const TMarkupWord& word) const { return SourceOf(word, word.Chars.size()); }
    int PrefixWidth(const TMarkupWord& word, size_t length) const;
    // Whether the word follows the one before it without a gap on the same line.
    bool GluedToPrevious(size_t word) const;

    std::span<const TMarkupWord> FWords;
    std::string_view FText;
    TCanvas& FCanvas;
};

} // namespace orvalis
