#include "controls/text_control.h"
#include "controls/bitmap_drawing.h"
#include "controls/rounding.h"
#include "controls/shared_palette.h"
#include "platform/canvas.h"
#include "platform/mouse.h"
#include "platform/resources.h"

#include <algorithm>
#include <cstdint>

namespace orvalis {

GCustomTextControl::GCustomTextControl(TWinControl* parent) : GGraphicControl(parent) {
    SetBounds(Left(), Top(), 121, 97);
    SetParentColor(false);
    SetTabStop(true);
    FItems.OnChange = [this](TObject*) { ResetList(); };
    for (TPicture* picture : {&FScrollUpImage, &FScrollImage, &FScrollDownImage, &FSelectedImage})
        picture->OnChange = [this](TObject*) { PaintNow(); };
}

void GCustomTextControl::ResetList() {
    FTopIndex = 0;
    FHotIndex = -1;
    // An empty list has no first line to select.
    FItemIndex = FItems.Empty() ? -1 : 0;
    PaintNow();
}

void GCustomTextControl::Clear() {
    FItems.Clear();
    PaintNow();
}

TRect GCustomTextControl::ItemRect(int index) const {
    const int top = (index - FTopIndex) * FItemHeight;
    return {0, top, Width(), top + FItemHeight};
}

int GCustomTextControl::ItemAtPos(TPoint point, bool existing) const {
    if (!ClientRect().Contains(point))
        return -1;
    // Rows follow one another from TopIndex down, so the row under the point is found by division.
    if (FItemHeight > 0) {
        const int64_t index = int64_t(FTopIndex) + point.Y / FItemHeight;
        if (index < FItems.Count())
            return int(index);
    }
    return existing ? -1 : FItems.Count();
}

bool GCustomTextControl::ScrollBarExists() const {
    const int64_t n = FItems.Count();
    return n >= 1 && (n * FItemHeight > Height() || FTopIndex > 0);
}

TRect GCustomTextControl::ScrollUpRect() const {
    return {Width() - FScrollWidth, 0, Width(), FScrollWidth};
}

TRect GCustomTextControl::ThumbRect() const {
    const int n = FItems.Count();
    const int s = FScrollWidth;
    // With a single item the track has no second position; the thumb then sits at its top.
    const int top = n > 1 ? RoundHalfEven(double(FTopIndex) / (n - 1) * (Height() - 3 * s) + s) : s;
    return {Width() - s, top, Width(), top + s};
}

TRect GCustomTextControl::ScrollDownRect() const {
    return {Width() - FScrollWidth, Height() - FScrollWidth, Width(), Height()};
}

TRect GCustomTextControl::PageUpRect() const {
    return {Width() - FScrollWidth, FScrollWidth, Width(), ThumbRect().Top};
}

TRect GCustomTextControl::PageDownRect() const {
    return {Width() - FScrollWidth, ThumbRect().Bottom, Width(), Height() - FScrollWidth};
}

const TPalette* GCustomTextControl::GetPalette() const {
    return SharedPalette();
}

void GCustomTextControl::Paint(TCanvas& canvas) {
    struct TCanvasScope {
        TCanvas*& Slot;
        ~TCanvasScope() { Slot = nullptr; }
    } scope{FCanvas = &canvas};
    // A failing owner-draw handler ends the paint; the list stays usable.
    try {
        if (!OnDrawItem) {
            canvas.Brush().SetStyle(TBrushStyle::bsSolid);
            canvas.Brush().SetColor(Color());
            canvas.Pen().SetStyle(TPenStyle::psSolid);
            canvas.Pen().SetColor(Color());
            canvas.FillRect(ClientRect());
            canvas.Font() = Font();
        }
        const int n = FItems.Count();
        int i = FTopIndex;
        int y = 0;
        // The first row is always offered, also when it holds no item.
        do {
            const TRect rect = ItemRect(i);
            const TOwnerDrawState state = i < 0             ? TOwnerDrawState()
                                          : i == FItemIndex ? TOwnerDrawFlag::odSelected
                                          : i == FHotIndex  ? TOwnerDrawFlag::odFocused
                                                            : TOwnerDrawState();
            DrawItem(i, rect, state);
            if (!OnDrawItem && i == FItemIndex && FSelectedImage.HasGraphic())
                DrawBitmapAt(&canvas, rect.Left, rect.Top + (rect.Height() - FSelectedImage.Height()) / 2,
                             FSelectedImage.Graphic());
            y += FItemHeight;
            ++i;
        } while (i < n && y < Height());
        if (ScrollBarExists()) {
            const std::pair<const TPicture*, TRect> parts[] = {{&FScrollUpImage, ScrollUpRect()},
                                                               {&FScrollImage, ThumbRect()},
                                                               {&FScrollDownImage, ScrollDownRect()}};
            for (const auto& [picture, r] : parts)
                StretchBitmapInto(&canvas, r.Left, r.Top, r.Width(), r.Height(), picture->Graphic());
        }
    } catch (...) {
    }
}

void GCustomTextControl::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(nullptr, index, rect, state);
        return;
    }
    if (!FCanvas || index < 0 || index >= FItems.Count())
        return;
    TRect r = rect;
    r.Left += 2;
    FCanvas->Brush().SetStyle(TBrushStyle::bsClear);
    const std::string& text = FItems[index];
    FCanvas->TextRect(r, r.Left, r.Top + (r.Height() - FCanvas->TextHeight(text)) / 2, text);
}

void GCustomTextControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!ScrollBarExists()) {
        FScrollState = TListScrollState::lsNone;
        GGraphicControl::MouseDown(button, shift, x, y);
        return;
    }
    const std::pair<TListScrollState, TRect> parts[] = {{TListScrollState::lsUpButton, ScrollUpRect()},
                                                        {TListScrollState::lsPageUp, PageUpRect()},
                                                        {TListScrollState::lsThumb, ThumbRect()},
                                                        {TListScrollState::lsPageDown, PageDownRect()},
                                                        {TListScrollState::lsDownButton, ScrollDownRect()}};
    for (const auto& [part, rect] : parts) {
        if (!rect.Contains({x, y}))
            continue;
        FScrollState = part;
        if (part == TListScrollState::lsThumb)
            PaintNow();
        else
            ScrollStep();
        return;
    }
    GGraphicControl::MouseDown(button, shift, x, y);
}

int GCustomTextControl::PageRows() const {
    // A page is the rows that fit less the one kept in view, but always at least one row, so that a
    // page step never stands still or runs backwards in a list that shows a single row.
    if (FItemHeight <= 0)
        return 1;
    return std::max(RoundHalfEven(double(Height()) / FItemHeight) - 1, 1);
}

void GCustomTextControl::ScrollStep() {
    const int n = FItems.Count();
    switch (FScrollState) {
    case TListScrollState::lsUpButton:
        if (FTopIndex > 0)
            SetTopIndex(FTopIndex - 1);
        break;
    case TListScrollState::lsDownButton:
        if (FTopIndex < n - 1)
            SetTopIndex(FTopIndex + 1);
        break;
    case TListScrollState::lsPageUp:
    case TListScrollState::lsPageDown: {
        // The page areas change with every step, so the pointer is looked at again.
        const bool up = FScrollState == TListScrollState::lsPageUp;
        const TPoint pointer = ScreenToClient(Mouse().CursorPos());
        if (!(up ? PageUpRect() : PageDownRect()).Contains(pointer)) {
            FScrollState = TListScrollState::lsNone;
            break;
        }
        if (up)
            SetTopIndex(std::max(FTopIndex - PageRows(), 0));
        else
            SetTopIndex(std::max(std::min(FTopIndex + PageRows(), n - 1), 0));
        break;
    }
    case TListScrollState::lsNone:
    case TListScrollState::lsThumb:
        break;
    }
}

void GCustomTextControl::MouseMove(TShiftState shift, int x, int y) {
    const int n = FItems.Count();
    if (!ScrollBarExists()) {
        FScrollState = TListScrollState::lsNone;
    } else if (FScrollState == TListScrollState::lsThumb) {
        const int track = Height() - 3 * FScrollWidth;
        if (track > 0)
            SetTopIndex(std::clamp(RoundHalfEven(double(n - 1) * (y - FScrollWidth) / track), 0, n - 1));
    }
    if (FHotable)
        SetHotIndex(HotIndexAt(x, y));
    GGraphicControl::MouseMove(shift, x, y);
}

int GCustomTextControl::HotIndexAt(int x, int y) const {
    const TRect rows{0, 0, Width() - FScrollWidth, Height()};
    if (FScrollState != TListScrollState::lsNone || !rows.Contains({x, y}))
        return -1;
    const int i = ItemAtPos({x, y}, true);
    return i >= 0 && i < FItems.Count() && i != FItemIndex ? i : -1;
}

bool GCustomTextControl::MouseWheel(int notches, TShiftState shift, int x, int y) {
    const int n = FItems.Count();
    if (n == 0 || notches == 0)
        return GGraphicControl::MouseWheel(notches, shift, x, y);
    constexpr int RowsPerNotch = 3;
    constexpr int FewRows = 6;
    const int shown = FItemHeight > 0 ? Height() / FItemHeight : 0;
    const int step = shown < FewRows ? PageRows() : RowsPerNotch;
    // The same range as the scroll bar's buttons: from the first row to the last row at the top.
    const int64_t target = int64_t(std::max(FTopIndex, 0)) - int64_t(notches) * step;
    SetTopIndex(int(std::clamp<int64_t>(target, 0, n - 1)));
    if (FHotable)
        SetHotIndex(HotIndexAt(x, y));
    return true;
}

void GCustomTextControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!FHotable || FScrollState != TListScrollState::lsNone) {
        FScrollState = TListScrollState::lsNone;
        return;
    }
    const int i = ItemAtPos({x, y}, true);
    if (i >= 0 && i < FItems.Count()) {
        FItemIndex = i;
        PaintNow();
    }
    GGraphicControl::MouseUp(button, shift, x, y);
}

void GCustomTextControl::MouseOut() {
    if (FScrollState == TListScrollState::lsNone)
        SetHotIndex(-1);
    GGraphicControl::MouseOut();
}

std::string GCustomTextControl::ItemText(int index) const {
    if (index < 0 || index >= FItems.Count())
        return {};
    return OnGetItemText ? OnGetItemText(index) : FItems[index];
}

std::vector<TAccessibleItem> GCustomTextControl::AccessibleItems() const {
    std::vector<TAccessibleItem> items;
    items.reserve(static_cast<size_t>(FItems.Count()));
    for (int i = 0; i < FItems.Count(); ++i)
        items.push_back({TAccessibleRole::arListItem, ItemText(i), ItemRect(i), i == FItemIndex,
                         i == FItemIndex && Focused()});
    return items;
}

void GCustomTextControl::SelectLine(int index) {
    const int n = FItems.Count();
    if (index < 0 || index >= n)
        return;
    const int rows = FItemHeight > 0 ? std::max(Height() / FItemHeight, 1) : 1;
    if (index < FTopIndex)
        SetTopIndex(index);
    else if (index >= FTopIndex + rows)
        SetTopIndex(index - rows + 1);
    SetItemIndex(index);
    if (Focused())
        NotifyAccessibleFocus(index);
    if (OnSelect)
        OnSelect(this);
}

void GCustomTextControl::KeyDown(int& key, TShiftState shift) {
    GGraphicControl::KeyDown(key, shift);
    const int n = FItems.Count();
    if (key == 0 || shift != 0 || n == 0)
        return;
    const int at = FItemIndex;
    int target = at;
    switch (key) {
    case vkUp:
        target = std::max(at - 1, 0);
        break;
    case vkDown:
        target = std::min(at + 1, n - 1);
        break;
    case vkHome:
        target = 0;
        break;
    case vkEnd:
        target = n - 1;
        break;
    case vkPrior:
        target = std::max(at - PageRows(), 0);
        break;
    case vkNext:
        target = std::min(std::max(at, 0) + PageRows(), n - 1);
        break;
    default:
        return;
    }
    key = 0;
    if (target != at)
        SelectLine(target);
}

bool LoadScrollPictures(GCustomTextControl& list) {
    const bool up = LoadPictureResource("ScrollUp", list.ScrollUpImage());
    const bool thumb = LoadPictureResource("ScrollThumb", list.ScrollImage());
    const bool down = LoadPictureResource("ScrollDown", list.ScrollDownImage());
    return up && thumb && down;
}

} // namespace orvalis
