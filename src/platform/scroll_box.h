#pragma once

#include "platform/control.h"

namespace orvalis {

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// A container that scrolls its children when they reach beyond it.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TWinControl* parent = nullptr);

    int HorzScrollPosition() const;
    void SetHorzScrollPosition(int value);
    int VertScrollPosition() const;
    void SetVertScrollPosition(int value);
    // Without the horizontal bar, whatever reaches beyond the right edge is cut off.
    bool HorzScrollBarVisible() const;
    void SetHorzScrollBarVisible(bool value);
    int VertScrollIncrement() const;
    void SetVertScrollIncrement(int value);
    // The size of the area the children span.
    TSize ContentSize() const;
    // Scrolls vertically, as little as needed, so that the rectangle (in the children's coordinates) is in
    // view; its top when it is taller than the box.
    void ScrollInView(const TRect& rect);
    // The part of the children's area in view, in their coordinates.
    TRect VisibleRect() const;

    void KeyDown(int& key, TShiftState shift) override;
    void FocusChanged() override;

    // Asked before the box takes a new size; the handler may change it or refuse it.
    TCanResizeEvent OnCanResize;
    // Sets the bounds after asking OnCanResize.
    void RequestBounds(int left, int top, int width, int height);

    QWidget* ContainerWidget() const override;

    // Counts the box as opaque while an opaque child covers all that can scroll into view; called whenever
    // the children or the view change size.
    void UpdateOpacity();

protected:
    void ControlBoundsChanged(TControl* child) override;
    // Aligned children end where the vertical scroll bar begins, while the children reach below the box.
    TRect AlignArea() const override;

private:
    void InvalidateChildren();
    QWidget* FContent = nullptr;
};

} // namespace orvalis
