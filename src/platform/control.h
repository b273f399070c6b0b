#pragma once

#include "platform/accessible.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/object.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class QWidget;

namespace orvalis {

class TCanvas;
class TPalette;
class TWinControl;

// mbBack and mbForward are the side buttons (8 and 9) that browsers use to go back and forward.
enum class TMouseButton { mbLeft, mbRight, mbMiddle, mbBack, mbForward };
enum class TShiftFlag : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32
};
using TShiftState = uint8_t; // TShiftFlag bits
inline bool HasShift(TShiftState s, TShiftFlag f) {
    return (s & uint8_t(f)) != 0;
}

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Whether a control draws a frame around itself.
enum class TBorderStyle { bsNone, bsSingle };

// Cursor numbers: 0 the default, negative stock cursors; others are registered by the program.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;

// Key codes of the keys the program reacts to (the window system's virtual-key numbers); letters and
// digits are their upper-case characters.
constexpr int vkBack = 0x08;
constexpr int vkTab = 0x09;
constexpr int vkReturn = 0x0D;
constexpr int vkEscape = 0x1B;
constexpr int vkSpace = 0x20;
constexpr int vkPrior = 0x21;
constexpr int vkNext = 0x22;
constexpr int vkEnd = 0x23;
constexpr int vkHome = 0x24;
constexpr int vkLeft = 0x25;
constexpr int vkUp = 0x26;
constexpr int vkRight = 0x27;
constexpr int vkDown = 0x28;
constexpr int vkF1 = 0x70;
constexpr int vkF3 = 0x72;

using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Focus frames show once the reader has pressed a key in one of the program's windows, so that a reader
// who only uses the mouse sees the windows as they always were.
bool KeyboardCues();
void ShowKeyboardCues();

class TControl;
// The control whose window has the keyboard focus; none when the focus is elsewhere or nowhere.
TControl* FocusedControl();

// A control: a rectangle of a window with colour, font, cursor, hint and mouse events, painted by Paint.
// Underneath it is a widget; where Paint draws nothing the parent shows through.
// Ownership: a control created with a parent belongs to it (create it with new); the parent deletes its
// remaining children when it is destroyed. A control destroyed earlier leaves its parent by itself.
// Repaints asked for at once while a batch is open are gathered, and every control that asked is painted once
// when the outermost batch closes (or before, when messages are handled in between). Every report of the
// mouse or the keyboard to a control is handled inside a batch, so a reading action that changes a list five
// times paints it once, still before the action returns.
class TPaintBatch {
public:
    TPaintBatch();
    ~TPaintBatch();
    TPaintBatch(const TPaintBatch&) = delete;
    TPaintBatch& operator=(const TPaintBatch&) = delete;

    static bool Open();
};

class TControl : public TObject {
public:
    explicit TControl(TWinControl* parent = nullptr);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TWinControl* Parent() const { return FParent; }
    void SetParent(TWinControl* parent);

    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return FBounds.Width(); }
    int Height() const { return FBounds.Height(); }
    TRect BoundsRect() const { return FBounds; }
    TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    // Converts between the control's own coordinates and the screen's.
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // Whether the control's window has the keyboard focus.
    bool Focused() const;
    // Gives the control's window the keyboard focus; false when it cannot take it (for example while its
    // window is hidden).
    bool SetFocus();
    // Whether Tab and Shift+Tab stop at the control. The mouse never moves the focus to such a control, so
    // that clicking behaves as it does without a keyboard.
    bool TabStop() const;
    void SetTabStop(bool value);
    // Whether the reader can see the control: it and every control around it visible, in a shown window.
    bool Showing() const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    // With ParentColor the control shows its parent's colour; setting a colour clears ParentColor.
    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value) { SetProperty(FParentColor, value, &TControl::Changed); }
    // With ParentFont the font follows the parent's; changing the font clears ParentFont.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { SetProperty(FHint, value, &TControl::ApplyHint); }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { SetProperty(FShowHint, value, &TControl::ApplyHint); }

    // While loading, a control's properties are being set up from its description; painting waits.
    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    void EndLoading();

    // The palette the control wants selected when it paints; none by default.
    virtual const TPalette* GetPalette() const { return nullptr; }

    // Deferred repaint / repaint at once. Inside a paint batch "at once" means when the batch closes.
    void Invalidate();
    // The control paints every pixel of its rectangle, so what lies under it need not be painted there.
    void SetOpaque(bool value);
    void Repaint();
    // Repaints now even inside a paint batch: for work that shows its progress while no messages are handled.
    void RepaintNow();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // Raised before the control handles a key that reached it; a handler that sets Key to 0 keeps it from
    // the control.
    TKeyEvent OnKeyDown;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // The standard handling of the platform's reports; descendants extend them and call the inherited one.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    // Every MouseEnter is matched by one MouseLeave.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // The mouse wheel turned by whole notches (positive away from the reader) over the point; answers
    // whether the control used it, else the control's parent hears of it.
    virtual bool MouseWheel(int /*notches*/, TShiftState /*shift*/, int /*x*/, int /*y*/) { return false; }
    // For the platform layer: the pointer is no longer in the control nor in any it holds (its window was
    // left or hidden); the ones it was in hear MouseLeave.
    void LeaveHover();
    // A key pressed while the control has the focus: raises OnKeyDown. A descendant that uses the key sets
    // it to 0; a key left non-zero goes on to the control's parent.
    virtual void KeyDown(int& key, TShiftState shift);
    // The control took or lost the keyboard focus.
    virtual void FocusChanged() { Invalidate(); }

    // Draws the whole current state; the platform calls it with a canvas on the control.
    virtual void Paint(TCanvas& canvas);

    // What screen readers see of the control: its role and name, the parts they see as objects of their
    // own, and its value. With arDefault and no items the window system describes the control itself.
    virtual TAccessibleRole AccessibleRole() const { return TAccessibleRole::arDefault; }
    virtual std::string AccessibleName() const { return {}; }
    virtual std::vector<TAccessibleItem> AccessibleItems() const { return {}; }
    // The plain text of a control of role arText.
    virtual std::string AccessibleText() const { return {}; }
    virtual TAccessibleValue AccessibleValue() const { return {}; }
    // Whether the reader's keyboard is on the control; a control inside a scroll box that holds the focus
    // for it answers for the box.
    virtual bool AccessibleFocused() const { return Focused(); }
    // What a screen reader's action does: to the control itself (item -1), for example a button's click, or
    // to one of its items.
    virtual void AccessibleAction(int /*item*/) {}
    // Tells screen readers that an item (or, with -1, the control) took the focus.
    void NotifyAccessibleFocus(int item) const;

    // For the platform layer: the widget underneath.
    QWidget* Widget() const;

protected:
    // For controls made of a native widget of the platform layer.
    TControl(TWinControl* parent, std::unique_ptr<QWidget> widget);

    // Called after the colour or font changed (also through the parent).
    virtual void Changed() { Invalidate(); }
    virtual void ParentChanged();

    // A changed property invalidates the control unless the setter names another way to show it (for
    // example &TGauge::Repaint, or a control's own relayout).
    using TObject::SetProperty;
    template <typename T> bool SetProperty(T& field, const std::type_identity_t<T>& value) {
        return SetProperty(field, value, &TControl::Invalidate);
    }

private:
    friend class TWinControl;
    void ApplyBounds();
    void ApplyHint();

    TWinControl* FParent = nullptr;
    std::unique_ptr<QWidget> FWidget;
    TRect FBounds{0, 0, 0, 0};
    TAlign FAlign = TAlign::alNone;
    bool FVisible = true;
    bool FEnabled = true;
    bool FParentColor = true;
    bool FParentFont = true;
    bool FShowHint = false;
    bool FLoading = false;
    bool FFollowingParent = false;
    TCursor FCursor = crDefault;
    TColor FColor = clBtnFace;
    TFont FFont;
    std::string FHint;
};

// A control that holds other controls and lays out the aligned ones.
class TWinControl : public TControl {
public:
    explicit TWinControl(TWinControl* parent = nullptr);
    ~TWinControl() override;

    const std::vector<TControl*>& Controls() const { return FControls; }
    // Places the aligned children: top, bottom, left and right ones along the edges in creation order,
    // then client ones in the rest.
    void AlignControls();

    // The widget the children's widgets go into.
    virtual QWidget* ContainerWidget() const { return Widget(); }

protected:
    TWinControl(TWinControl* parent, std::unique_ptr<QWidget> widget);
    void ParentChanged() override;
    // The area the aligned children share: the client rectangle, less what the control covers itself.
    virtual TRect AlignArea() const { return ClientRect(); }
    // A child moved or was resized.
    virtual void ControlBoundsChanged(TControl*) {}

private:
    friend class TControl;
    std::vector<TControl*> FControls;
};

// A control without a window of its own, painted over its parent.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
};

} // namespace orvalis
