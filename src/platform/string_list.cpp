#include "platform/string_list.h"

namespace orvalis {

TStringList& TStringList::Assign(const std::vector<std::string>& lines) {
    if (&lines != &FLines)
        FLines = lines;
    Changed();
    return *this;
}

TStringList& TStringList::Assign(std::vector<std::string>&& lines) {
    if (&lines != &FLines)
        FLines = std::move(lines);
    Changed();
    return *this;
}

const std::string& TStringList::operator[](int index) const {
    static const std::string none;
    return index >= 0 && index < Count() ? FLines[static_cast<size_t>(index)] : none;
}

int TStringList::Add(std::string line) {
    FLines.push_back(std::move(line));
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, std::string line) {
    if (index < 0 || index > Count())
        return;
    FLines.insert(FLines.begin() + index, std::move(line));
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    FLines.erase(FLines.begin() + index);
    Changed();
}

void TStringList::SetString(int index, std::string line) {
    if (index < 0 || index >= Count())
        return;
    FLines[static_cast<size_t>(index)] = std::move(line);
    Changed();
}

void TStringList::Clear() {
    if (FLines.empty())
        return;
    FLines.clear();
    Changed();
}

void TStringList::EndUpdate() {
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        Changed();
    }
}

void TStringList::Changed() {
    if (FUpdateCount > 0) {
        FChangedInUpdate = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

} // namespace orvalis
