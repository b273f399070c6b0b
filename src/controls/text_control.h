#pragma once

#include "controls/graphic_control.h"
#include "platform/picture.h"
#include "platform/string_list.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvalis {

enum class TOwnerDrawFlag : uint8_t {
    odSelected = 1,
    odGrayed = 2,
    odDisabled = 4,
    odChecked = 8,
    odFocused = 16
};

// The state of a row handed to the owner-draw event. The list uses three: empty (a normal row), odSelected
// (the selected row) and odFocused (the hot row under the mouse).
class TOwnerDrawState {
public:
    constexpr TOwnerDrawState() = default;
    constexpr TOwnerDrawState(TOwnerDrawFlag f) : FBits(uint8_t(f)) {}
    constexpr bool Has(TOwnerDrawFlag f) const { return (FBits & uint8_t(f)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint8_t Bits() const { return FBits; }
    friend constexpr bool operator==(TOwnerDrawState, TOwnerDrawState) = default;

private:
    uint8_t FBits = 0;
};

// Control is always none: the list is not a windowed control.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// Which part of the scroll bar the mouse went down on.
enum class TListScrollState : uint8_t {
    lsNone = 0,
    lsUpButton = 1,
    lsDownButton = 2,
    lsPageUp = 3,
    lsPageDown = 4,
    lsThumb = 5
};

// A window-less list of text lines with a scroll bar painted from three pictures, hot tracking of the row
// under the mouse, selection on mouse-up or by the keyboard, and an owner-draw event. Every state change
// paints the control at once; Paint draws the whole current state, the hot row included.
class GCustomTextControl : public GGraphicControl {
public:
    explicit GCustomTextControl(TWinControl* parent = nullptr);

    bool Hotable() const { return FHotable; }
    void SetHotable(bool value) { SetProperty(FHotable, value, &GCustomTextControl::PaintNow); }
    // Every change of the lines resets the list (ResetList).
    TStringList& Items() { return FItems; }
    const TStringList& Items() const { return FItems; }
    void SetItems(const TStringList& value) { FItems.Assign(value); }
    void SetItems(const std::vector<std::string>& value) { FItems.Assign(value); }
    void SetItems(std::vector<std::string>&& value) { FItems.Assign(std::move(value)); }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value) { SetProperty(FItemHeight, value, &GCustomTextControl::PaintNow); }
    // Kept for the form's description: the lines always stay in the order given.
    bool Sorted() const { return false; }
    void SetSorted(bool) {}
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int value) { SetProperty(FTopIndex, value, &GCustomTextControl::PaintNow); }
    int HotIndex() const { return FHotIndex; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value) { SetProperty(FItemIndex, value, &GCustomTextControl::PaintNow); }
    TListScrollState ScrollState() const { return FScrollState; }
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int value) { SetProperty(FScrollWidth, value, &GCustomTextControl::PaintNow); }

    TPicture& ScrollUpImage() { return FScrollUpImage; }
    void SetScrollUpImage(const TPicture& value) { FScrollUpImage.Assign(value); }
    TPicture& ScrollImage() { return FScrollImage; }
    void SetScrollImage(const TPicture& value) { FScrollImage.Assign(value); }
    TPicture& ScrollDownImage() { return FScrollDownImage; }
    void SetScrollDownImage(const TPicture& value) { FScrollDownImage.Assign(value); }
    TPicture& SelectedImage() { return FSelectedImage; }
    void SetSelectedImage(const TPicture& value) { FSelectedImage.Assign(value); }

    TDrawItemEvent OnDrawItem;
    // Raised when the keyboard or an assistive technology selected a line, where a click raises OnMouseUp.
    TNotifyEvent OnSelect;
    // The text a line shows, when the owner draws something other than the line itself; screen readers
    // read it. Without it the line is its own text.
    std::function<std::string(int Index)> OnGetItemText;
    std::string ItemText(int index) const;

    // Scrolls to the top, forgets the hot row and selects the first line (none in an empty list).
    void ResetList();
    // Empties the lines.
    void Clear();

    // The row of an index, in control coordinates.
    TRect ItemRect(int index) const;
    // The item whose row holds the point; -1 outside the control. Below the last row: -1 when `existing`,
    // else the item count.
    int ItemAtPos(TPoint point, bool existing) const;

    // The scroll bar exists when there are items and they do not all fit, or the list is scrolled.
    bool ScrollBarExists() const;
    TRect ScrollUpRect() const;
    TRect ThumbRect() const;
    TRect ScrollDownRect() const;
    TRect PageUpRect() const;
    TRect PageDownRect() const;

    // The canvas of the paint in progress, for the owner-draw event; none outside a paint.
    TCanvas* Canvas() const { return FCanvas; }

    const TPalette* GetPalette() const override;
    void Paint(TCanvas& canvas) override;
    // Draws one row: raises OnDrawItem when assigned, else draws the item's text.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseOut() override;
    // The wheel scrolls the list as it scrolls a text: three rows a notch, a page in a list that shows
    // fewer than six rows. The selection stays; the hot row follows the pointer.
    bool MouseWheel(int notches, TShiftState shift, int x, int y) override;
    // Up, Down, Home, End, Page Up and Page Down move the selected line, keep it in view and raise
    // OnSelect.
    void KeyDown(int& key, TShiftState shift) override;
    // Selects the line, scrolls it into view and raises OnSelect.
    void SelectLine(int index);
    // A list whose items are its lines, named by ItemText; an item's action selects it.
    TAccessibleRole AccessibleRole() const override { return TAccessibleRole::arList; }
    std::string AccessibleName() const override { return Hint(); }
    std::vector<TAccessibleItem> AccessibleItems() const override;
    void AccessibleAction(int item) override { SelectLine(item); }

private:
    // The scroll step of the part the mouse went down on; one per press.
    void ScrollStep();
    int PageRows() const;
    // The row the pointer makes hot: under it unless selected; none while a scroll bar part is held, over
    // the scroll bar's column, or below the last row.
    int HotIndexAt(int x, int y) const;
    void SetHotIndex(int value) { SetProperty(FHotIndex, value, &GCustomTextControl::PaintNow); }
    void PaintNow() { Repaint(); }

    bool FHotable = true;
    TStringList FItems;
    int FItemHeight = 16;
    int FTopIndex = -1;
    int FHotIndex = -1;
    int FItemIndex = -1;
    TListScrollState FScrollState = TListScrollState::lsNone;
    TPicture FScrollUpImage;
    TPicture FScrollImage;
    TPicture FScrollDownImage;
    int FScrollWidth = 16;
    TPicture FSelectedImage;
    TCanvas* FCanvas = nullptr;
};

// The list as the forms use it.
class GTextControl : public GCustomTextControl {
public:
    using GCustomTextControl::GCustomTextControl;
};

// Gives the list the program's built-in scroll-bar pictures ("ScrollUp", "ScrollThumb", "ScrollDown");
// false when one is missing.
bool LoadScrollPictures(GCustomTextControl& list);

} // namespace orvalis
