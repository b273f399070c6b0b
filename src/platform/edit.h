#pragma once

#include "platform/control.h"

#include <string>

namespace orvalis {

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

    TNotifyEvent OnChange;

protected:
    // The field shows its text in the control's font, so it grows with the window's scaling as labels do.
    void Changed() override;

private:
    void ApplyFont();
};

} // namespace orvalis
