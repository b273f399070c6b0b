#include "platform/page_stack.h"

namespace orvalis {

TPage& TPageStack::AddPage(const std::string& name) {
    auto* page = new TPage(this, name);
    page->SetAlign(TAlign::alClient);
    page->SetVisible(FActivePage == nullptr);
    if (!FActivePage)
        FActivePage = page;
    return *page;
}

TPage* TPageStack::FindPage(const std::string& name) const {
    for (TControl* c : Controls())
        if (auto* page = dynamic_cast<TPage*>(c); page && page->Name() == name)
            return page;
    return nullptr;
}

bool TPageStack::SetActivePage(const std::string& name) {
    TPage* page = FindPage(name);
    if (!page)
        return false;
    if (page == FActivePage)
        return true;
    page->SetVisible(true);
    if (FActivePage)
        FActivePage->SetVisible(false);
    FActivePage = page;
    if (OnPageChanged)
        OnPageChanged(this);
    return true;
}

} // namespace orvalis
