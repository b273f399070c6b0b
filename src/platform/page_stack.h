#pragma once

#include "platform/control.h"

#include <string>

namespace orvalis {

// One named page of a page stack.
class TPage : public TWinControl {
public:
    TPage(TWinControl* parent, std::string name) : TWinControl(parent), FName(std::move(name)) {}
    const std::string& Name() const { return FName; }

private:
    std::string FName;
};

// Pages on top of one another, each filling the stack; only the active one shows.
class TPageStack : public TWinControl {
public:
    using TWinControl::TWinControl;

    // A new page, owned by the stack; the first page becomes the active one.
    TPage& AddPage(const std::string& name);
    TPage* FindPage(const std::string& name) const;
    TPage* ActivePage() const { return FActivePage; }
    // Shows the named page and hides the others; false (nothing changed) for an unknown name.
    bool SetActivePage(const std::string& name);

    TNotifyEvent OnPageChanged;

private:
    TPage* FActivePage = nullptr;
};

} // namespace orvalis
