#pragma once

#include "content/pointer_chain.h"
#include "controls/background.h"
#include "controls/graphic_control.h"
#include "controls/markup_layout.h"
#include "controls/markup_selection.h"
#include "imaging/pmulti_image.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvalis {

// Raised with the target of the clicked hyperlink (at most 255 characters).
using GOnHyperLinkClick = std::function<void(TObject* Sender, std::string& HRef)>;

// Shows one marked-up text (bold, italic, underline and strike-out runs, size changes, inline pictures,
// hidden passages, hyperlinks), wrapped at the control's width. It does not scroll by itself: after each
// layout it grows to its content inside its parent, a scroll box that provides the scroll bars;
// HorScrollBar and VerScrollBar decide in which direction it may grow.
class GCustomParserControl : public GGraphicControl {
public:
    explicit GCustomParserControl(TWinControl* parent = nullptr);
    ~GCustomParserControl() override;

    // Replaces the text (none clears it) and lays it out; a text ends at its first NUL.
    void SetText(const char* text);
    void SetText(const std::string& text) { SetText(text.c_str()); }
    // The stored text, or none.
    const char* GetText() const { return FText ? FText->c_str() : nullptr; }
    // Shows the whole file, or keeps the current text when it cannot be read completely.
    void LoadFromFile(const std::string& path);
    // Lays the current text out again and sizes the control, keeping the pictures already loaded.
    void Relayout();
    // Paints at once.
    void PaintNow() { Repaint(); }

    TBackground& Background() { return FBackground; }
    const TBackground& Background() const { return FBackground; }
    void SetBackground(const TBackground& value) { FBackground.Assign(value); }
    int dX() const { return FDX; }
    void SetdX(int value) { SetProperty(FDX, value); }
    int dY() const { return FDY; }
    void SetdY(int value) { SetProperty(FDY, value); }
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value) { SetProperty(FDrawFocused, value, &GCustomParserControl::Relayout); }
    bool HorScrollBar() const { return FHorScrollBar; }
    void SetHorScrollBar(bool value) { SetProperty(FHorScrollBar, value, &GCustomParserControl::Relayout); }
    bool VerScrollBar() const { return FVerScrollBar; }
    void SetVerScrollBar(bool value) { SetProperty(FVerScrollBar, value, &GCustomParserControl::Relayout); }
    // The content size found by the last layout; YMax is 0 while a measuring pass is wanted.
    int XMax() const { return FXMax; }
    int YMax() const { return FYMax; }
    TFont& HyperLinkFont() { return FHyperLinkFont; }
    const TFont& HyperLinkFont() const { return FHyperLinkFont; }
    void SetHyperLinkFont(const TFont& value) { FHyperLinkFont.Assign(value); }

    // The hit areas of the hyperlinks (THyperLinkArea), in text order, 1-based.
    TPointerChain& HyperLinks() { return FHyperLinks; }
    // The decoder of the IMG pictures.
    TPMultiImage& ImageLoader() { return FImageLoader; }

    // The picture for an IMG name (a path relative to the program folder), loaded once per text and kept
    // in the cache, most recently found first; an empty picture when there is none.
    const TPicture& FindImage(std::string_view name);
    // The cache keys, front first.
    std::vector<std::string> ImageCacheKeys() const;

    GOnHyperLinkClick OnHyperLinkClick;

    // The links of the text in text order, 1-based; a link wrapped over lines has a hit area per line.
    int LinkCount() const;
    // The words of a link, without the blanks around them.
    std::string LinkText(int link) const;
    const std::string& LinkHRef(int link) const;
    // The hit area of the link's first line.
    TRect LinkRect(int link) const;
    // The link that Tab moved to, framed while the text's scroll box has the focus; 0 for none. Setting
    // it scrolls the link into view.
    int FocusedLink() const { return FFocusedLink; }
    void SetFocusedLink(int value);
    // Raises OnHyperLinkClick for the link, as a click on it does.
    void FollowLink(int link);
    // Inside its scroll box: Tab and Shift+Tab move between the links, leaving the text after the last
    // (before the first); Enter follows the focused link.
    void KeyDown(int& key, TShiftState shift) override;
    // A text: the plain text of the markup, its links as items whose action follows them.
    TAccessibleRole AccessibleRole() const override { return TAccessibleRole::arText; }
    std::string AccessibleText() const override;
    bool AccessibleFocused() const override { return ShowsFocus(); }
    std::vector<TAccessibleItem> AccessibleItems() const override;
    void AccessibleAction(int item) override { FollowLink(item + 1); }

    // The selected passage, as offsets into the text; dragging over the text selects, a double-click selects
    // a word, Ctrl+A all and Ctrl+C copies. Showing another text empties it.
    TTextRange Selection() const { return TTextRange::Between(FSelectionAnchor, FSelectionCaret); }
    // Selects the range, cut to the text; repaints on a change.
    void SetSelection(TTextRange range);
    void SelectAll();
    // The selection as the reader sees it, in plain text: tags, pictures and hidden passages left out.
    std::string SelectedText() const;
    // Puts the selected text on the clipboard; an empty selection leaves the clipboard as it is.
    void CopySelection();
    // The text position nearest the point, in control coordinates.
    size_t PositionAt(int x, int y);
    // The colour behind selected glyphs.
    static constexpr TColor SelectionColor = TColor::FromRgb(0xA8CCF0);

    // The text size in percent, one of TextZoomSteps: the fonts, the line height and the size tags grow
    // with it and the text re-flows in the same width; inside a scroll box the word at the top of the view
    // stays at the top. Pictures keep their size.
    int Zoom() const { return FZoom; }
    void SetZoom(int value);
    // Ctrl+wheel over the text steps the text size, one step a notch; raised after each change.
    TNotifyEvent OnZoomChange;
    bool MouseWheel(int notches, TShiftState shift, int x, int y) override;

    // Marks: the passages of the text that a search found, highlighted behind the glyphs. Marks the finds
    // of the query (FindQueryMarks; `strict` as for the keyword search) and goes to the first; a new text
    // has none.
    void MarkQuery(std::string_view query, bool strict);
    void ClearMarks();
    int MarkCount() const { return static_cast<int>(FMarks.size()); }
    // The mark last gone to, 1-based; 0 for none. It is highlighted more strongly than the others.
    int CurrentMark() const { return FCurrentMark; }
    // Makes the mark the current one and scrolls it into view.
    void GoToMark(int mark);
    // Goes that many marks on (back when negative), round from the last to the first and back.
    void StepMark(int steps);
    // The mark's rectangles in the current layout, one per word it touches.
    std::vector<TRect> MarkRects(int mark);
    TColor MarkColor() const { return FMarkColor; }
    void SetMarkColor(TColor value) { SetProperty(FMarkColor, value); }
    TColor CurrentMarkColor() const { return FCurrentMarkColor; }
    void SetCurrentMarkColor(TColor value) { SetProperty(FCurrentMarkColor, value); }

    const TPalette* GetPalette() const override;
    // Paints background and text. Unlike other paints it also changes what callers see: its layout sets
    // XMax, YMax and the hit areas of HyperLinks, and a text that outgrows the control in a direction it
    // may grow in resizes it.
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;

protected:
    // Draws the background picture, fixed in the visible area of a scrolling parent, and the background's
    // rectangle over the whole control.
    void PaintBackground(TCanvas& canvas);

private:
    struct TCachedImage {
        std::string Key;
        std::unique_ptr<TPicture> Picture; // empty when the file could not be decoded
    };

    TMarkupContext Context();
    // Runs the layout on the canvas: a painting pass when YMax is positive, else a measuring pass.
    void RunLayout(TCanvas& canvas);
    // Measures (or paints at once without text), then sizes the control to the content.
    void LayoutAndResize();
    void ClearImageCache();
    int HitArea(int x, int y);
    // The chain positions of the areas of a link: from its first to its last line; empty for none.
    std::pair<int32_t, int32_t> LinkAreas(int link) const;
    const THyperLinkArea* Area(int32_t position) const;
    // Whether the focus frames of this text show: its scroll box has the focus.
    bool ShowsFocus() const;
    // Where the background picture's top left corner goes: the offsets, plus the scroll position of a
    // scrolling parent, so that the picture stays fixed in the visible area.
    TPoint BackgroundOrigin() const;
    // Whether the background picture is copied over all of the rectangle, hiding whatever was drawn there.
    bool BackgroundCovers(const TRect& rect) const;
    // The selection's view of the kept layout, laid out first when the text changed since.
    TMarkupSelection SelectionGeometry(std::vector<TMarkupWord>& words, TCanvas& canvas);
    // Fills the selected part behind the glyphs, before they are drawn.
    void PaintSelection(TCanvas& canvas);
    // Sets where the selection began and where it ends now, cut to the text; repaints on a change.
    void SetSelectionEnds(size_t anchor, size_t caret);
    // Moves the selection's caret with the mouse while the button that began it is held.
    void DragSelection(TShiftState shift, int x, int y);
    // Ends a drag with the button that began it; answers whether it selected something, in which case the
    // release is no click on a link.
    bool EndSelectionDrag(TMouseButton button);
    // Handles Ctrl+A and Ctrl+C; answers whether the key was one of them.
    bool SelectionKey(int key, TShiftState shift);

    // Lays the text out on the canvas when the kept layout does not serve the current width and fonts.
    void EnsureLayout(TCanvas& canvas);
    // Fills the marks' rectangles that reach into the painted area, before the text goes over them.
    void PaintMarks(TCanvas& canvas);

    TBackground FBackground;
    int FDX = 0;
    int FDY = 0;
    bool FDrawFocused = true;
    int FFocusedLink = 0;
    std::vector<TCachedImage> FImageCache;
    std::unique_ptr<std::string> FText;
    int FXMax = 0;
    int FYMax = 0;
    bool FHorScrollBar = false;
    bool FVerScrollBar = true;
    TPointerChain FHyperLinks{"HyperLinks"};
    TFont FHyperLinkFont;
    TPMultiImage FImageLoader;
    TMarkupLayout FLayout;
    // The selection runs from where the mouse went down to where it is; FSelecting while the left button
    // that started it is held.
    size_t FSelectionAnchor = 0;
    size_t FSelectionCaret = 0;
    bool FSelecting = false;
    TPoint FPressPoint;

    int FZoom = 100;
    TFont FZoomedFont, FZoomedLinkFont;
    std::vector<TTextRange> FMarks; // in the layout's visible text
    int FCurrentMark = 0;
    TColor FMarkColor = TColor::FromRgb(0xF2CC6E);
    TColor FCurrentMarkColor = TColor::FromRgb(0xE8A848);
};

// The control as the forms use it.
class GParserControl : public GCustomParserControl {
public:
    using GCustomParserControl::GCustomParserControl;
};

} // namespace orvalis
