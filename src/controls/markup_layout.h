#pragma once

#include "content/pointer_chain.h"
#include "content/query_marks.h"
#include "platform/font.h"
#include "platform/geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class TCanvas;
class TGraphic;
class TPalette;

// The clickable area of one line of a hyperlink, in control coordinates, and its target.
struct THyperLinkArea {
    TRect Area;
    std::string HRef;       // at most 255 characters
    std::string Text;       // the words of the link on this line, as the text has them
    bool Continues = false; // the link of the area before runs on in this one
};

// Frees every area of the chain and empties it, last position first.
void ClearHyperLinks(TPointerChain& links);

// What a layout pass needs to know of its control.
struct TMarkupContext {
    int Width = 0;               // the control's width; words wrap at 0.95 of it
    const TFont* Font = nullptr; // the base font
    const TFont* HyperLinkFont = nullptr;
    bool HorScrollBar = false; // pictures may widen the content (measuring pass)
    bool HasParent = false;
    int ParentWidth = 0;
    int ParentHeight = 0;
    // The picture an IMG tag names, or null; pictures stay valid until the text changes.
    std::function<const TGraphic*(std::string_view name)> FindImage;
    // Selected around each picture when set (screens of 8 or fewer bits per pixel).
    const TPalette* Palette = nullptr;
    // The text size in percent: the fonts come scaled already; size tags change the size by as much more.
    int Zoom = 100;
};

// The text sizes a reader steps through, in percent; the first is the text's own size.
constexpr int TextZoomSteps[] = {100, 115, 130, 150, 175, 200};
// The size `steps` steps up (down when negative) from the one at or below `percent`, kept within the steps.
int StepTextZoom(int percent, int steps);
// The font at the text size: its height scaled and rounded, at least one pixel.
TFont ZoomedFont(const TFont& font, int percent);

enum class TMarkupPass { Measure, Paint };

// A word of the kept layout as the selection sees it, valid until the next layout.
struct TMarkupWord {
    TRect Box;              // where it is drawn: its measured width and the height of its font
    std::string_view Chars; // the characters drawn, a trailing space included
    size_t Source = 0;      // the offset of its first character in the text
    const TFont* Font = nullptr;
};

// Lays a marked-up text out, and in a painting pass draws it: one routine for both passes, so that what is
// measured is exactly what is drawn. The laid-out words of the last layout are kept, so that a painting
// pass over an unchanged text, width and fonts only draws (the visible part, when given) and rebuilds the
// hit areas from the kept ones; the result is the same as laying out again.
class TMarkupLayout {
public:
    TMarkupLayout();
    ~TMarkupLayout();

    // Runs one pass. XMax and YMax are read and updated as the control's fields; HyperLinks receives the hit
    // areas (allocated, owned by the chain's owner, freed by ClearHyperLinks). `visible`, in control
    // coordinates, limits the drawing of a painting pass to what can be seen.
    void Run(std::string_view text, TCanvas& canvas, TMarkupPass pass, const TMarkupContext& context,
             int& xMax, int& yMax, TPointerChain& hyperLinks, const TRect* visible = nullptr);

    // Forgets the kept layout; the next pass lays the text out again.
    void Invalidate();
    // Whether the kept layout serves this text and context (for tests and the benchmark).
    bool Cached(std::string_view text, const TMarkupContext& context) const;
    // The words of the kept layout in text order (and so in order of their line); none before a layout.
    std::vector<TMarkupWord> Words() const;

    // The words of the kept layout as a reader reads them, in text order, tags and hidden passages left
    // out; a line break or a picture between two words reads as "\n". Empty without a kept layout.
    std::string VisibleText() const;
    // The rectangles over the characters of the range of VisibleText, one per word it touches, measured in
    // that word's font on the canvas, in text order; with `rows`, only those of the words that reach into
    // its rows (the others are not measured).
    std::vector<TRect> RangeRects(TCanvas& canvas, TTextRange range, const TRect* rows = nullptr) const;
    // The first kept word or picture that reaches below the row y, or -1 when none does; and the top of
    // the line it stands on. Item numbers do not depend on the width or the fonts, so they name the same
    // word in every layout of a text.
    int ItemBelow(int y) const;
    int ItemTop(int item) const;

private:
    struct TItem;
    struct TKept;
    void Layout(std::string_view text, TCanvas& canvas, TMarkupPass pass, const TMarkupContext& context,
                int& xMax, TPointerChain& hyperLinks, int& endY);
    void Replay(TCanvas& canvas, const TMarkupContext& context, TPointerChain& hyperLinks,
                const TRect* visible);

    std::unique_ptr<TKept> FKept;
};

} // namespace orvalis
