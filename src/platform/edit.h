#pragma once

#include "platform/control.h"

#include <string>

namespace orvalis {

using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;

// Key codes of the keys the program reacts to (the window system's virtual-key numbers).
constexpr int vkBack = 0x08;
constexpr int vkReturn = 0x0D;
constexpr int vkEscape = 0x1B;
constexpr int vkLeft = 0x25;
constexpr int vkUp = 0x26;
constexpr int vkRight = 0x27;
constexpr int vkDown = 0x28;

// A single-line edit. Its text is Windows-1252; characters that code page cannot hold are refused.
class TEdit : public TControl {
public:
    explicit TEdit(TWinControl* parent = nullptr);

    std::string Text() const;
    void SetText(const std::string& value);
    void SelectAll();
    int MaxLength() const;
    void SetMaxLength(int value);
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle value);

    // Raised before the edit handles a key; a handler that sets Key to 0 keeps it from the edit.
    TKeyEvent OnKeyDown;
    TNotifyEvent OnChange;

    // For the platform layer: a key arrived.
    bool KeyDown(int& key, TShiftState shift);
};

} // namespace orvalis
