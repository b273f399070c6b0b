#include "controls/markup_selection.h"

#include "platform/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace orvalis {

namespace {

// Letters and digits of Windows-1252: ASCII, the accented and other letters above 0xC0 (but for the
// multiplication and division signs), and the letters and superscript digits scattered below it.
bool IsWordCharacter(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    if (c >= 0xC0)
        return c != 0xD7 && c != 0xF7;
    switch (c) {
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB2:
    case 0xB3:
    case 0xB5:
    case 0xB9:
    case 0xBA:
        return true;
    default:
        return false;
    }
}

} // namespace

size_t TMarkupSelection::SourceOf(const TMarkupWord& word, size_t index) const {
    size_t at = word.Source;
    for (size_t counted = 0; counted < index && at < FText.size(); ++at)
        if (FText[at] != '\r' && FText[at] != '\n')
            ++counted;
    return at;
}

size_t TMarkupSelection::IndexOf(const TMarkupWord& word, size_t position) const {
    size_t index = 0;
    for (size_t at = word.Source; at < position && at < FText.size() && index < word.Chars.size(); ++at)
        if (FText[at] != '\r' && FText[at] != '\n')
            ++index;
    return index;
}

int TMarkupSelection::PrefixWidth(const TMarkupWord& word, size_t length) const {
    if (length == 0)
        return 0;
    // The whole word is as wide as the layout measured it.
    if (length >= word.Chars.size())
        return word.Box.Width();
    FCanvas.Font() = *word.Font;
    return FCanvas.TextWidth(word.Chars.substr(0, length));
}

bool TMarkupSelection::GluedToPrevious(size_t word) const {
    return word > 0 && word < FWords.size() && FWords[word].Box.Top == FWords[word - 1].Box.Top &&
           FWords[word].Box.Left == FWords[word - 1].Box.Right;
}

TMarkupSelection::THit TMarkupSelection::Hit(TPoint point, TBoundary boundary) const {
    if (FWords.empty())
        return {};
    // Words stand in order of their lines; the point belongs to the last line beginning at or above it.
    const auto after = std::upper_bound(FWords.begin(), FWords.end(), point.Y,
                                        [](int y, const TMarkupWord& word) { return y < word.Box.Top; });
    if (after == FWords.begin())
        return {0, 0};
    const int top = std::prev(after)->Box.Top;
    const auto first = std::lower_bound(FWords.begin(), after, top,
                                        [](const TMarkupWord& word, int y) { return word.Box.Top < y; });
    const size_t last = static_cast<size_t>(after - FWords.begin()) - 1;
    const auto lineEnd = [&] { return THit{last, FWords[last].Chars.size()}; };
    if (after == FWords.end()) {
        const int bottom = std::max_element(first, after, [](const TMarkupWord& a, const TMarkupWord& b) {
                               return a.Box.Bottom < b.Box.Bottom;
                           })->Box.Bottom;
        if (point.Y >= bottom)
            return lineEnd();
    }
    for (auto it = first; it != after; ++it) {
        const size_t index = static_cast<size_t>(it - FWords.begin());
        if (point.X < it->Box.Left)
            return {index, 0};
        if (point.X >= it->Box.Right)
            continue;
        // The boundaries before the point, and for a caret the first one after it, are measured.
        const int x = point.X - it->Box.Left;
        size_t best = 0;
        int bestWidth = 0;
        for (size_t length = 1; length <= it->Chars.size(); ++length) {
            const int width = PrefixWidth(*it, length);
            const bool before = width <= x;
            if (before || (boundary == TBoundary::Nearest && width - x < x - bestWidth)) {
                best = length;
                bestWidth = width;
            }
            if (!before)
                break;
        }
        return {index, best};
    }
    return lineEnd();
}

size_t TMarkupSelection::PositionAt(TPoint point) const {
    if (FWords.empty())
        return 0;
    const THit hit = Hit(point, TBoundary::Nearest);
    return SourceOf(FWords[hit.Word], hit.Index);
}

TTextRange TMarkupSelection::WordAt(TPoint point) const {
    if (FWords.empty())
        return {};
    THit hit = Hit(point, TBoundary::Under);
    // The end of a line stands for its last character.
    if (hit.Index >= FWords[hit.Word].Chars.size())
        hit.Index = FWords[hit.Word].Chars.size() - 1;
    const TMarkupWord& word = FWords[hit.Word];
    if (!IsWordCharacter(word.Chars[hit.Index]))
        return {SourceOf(word, hit.Index), SourceOf(word, hit.Index + 1)};

    THit from = hit;
    for (;;) {
        if (from.Index > 0 && IsWordCharacter(FWords[from.Word].Chars[from.Index - 1])) {
            --from.Index;
        } else if (from.Index == 0 && GluedToPrevious(from.Word) &&
                   IsWordCharacter(FWords[from.Word - 1].Chars.back())) {
            --from.Word;
            from.Index = FWords[from.Word].Chars.size() - 1;
        } else {
            break;
        }
    }
    THit to{hit.Word, hit.Index + 1};
    for (;;) {
        const std::string_view chars = FWords[to.Word].Chars;
        if (to.Index < chars.size() && IsWordCharacter(chars[to.Index])) {
            ++to.Index;
        } else if (to.Index == chars.size() && GluedToPrevious(to.Word + 1) &&
                   IsWordCharacter(FWords[to.Word + 1].Chars.front())) {
            ++to.Word;
            to.Index = 1;
        } else {
            break;
        }
    }
    return {SourceOf(FWords[from.Word], from.Index), SourceOf(FWords[to.Word], to.Index)};
}

std::vector<TRect> TMarkupSelection::Rects(TTextRange range, const TRect* visible) const {
    std::vector<TRect> rects;
    if (range.Empty())
        return rects;
    for (const TMarkupWord& word : FWords) {
        if (word.Source >= range.End)
            break;
        if (visible != nullptr && word.Box.Top >= visible->Bottom)
            break;
        if (visible != nullptr && word.Box.Bottom <= visible->Top)
            continue;
        const size_t end = EndOf(word);
        if (end <= range.Start)
            continue;
        const int left =
            word.Box.Left + (range.Start > word.Source ? PrefixWidth(word, IndexOf(word, range.Start)) : 0);
        const int right =
            range.End < end ? word.Box.Left + PrefixWidth(word, IndexOf(word, range.End)) : word.Box.Right;
        if (right > left)
            rects.push_back(TRect{left, word.Box.Top, right, word.Box.Bottom});
    }
    return rects;
}

} // namespace orvalis
