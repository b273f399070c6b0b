#pragma once

#include "platform/object.h"

#include <string>
#include <vector>

namespace orvalis {

// A list of 8-bit strings that reports every change through OnChange. Between BeginUpdate and the
// matching EndUpdate the reports are held back, and EndUpdate reports once when anything changed.
// Assigning always reports, also when the new lines equal the old ones; clearing an empty list does not.
class TStringList : public TObject {
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> lines) : FLines(std::move(lines)) {}
    // Copies carry the lines only; the copy's owner installs its own handler.
    TStringList(const TStringList& other) : TObject(), FLines(other.FLines) {}
    TStringList& operator=(const TStringList& other) { return Assign(other.FLines); }

    TStringList& Assign(const std::vector<std::string>& lines);
    TStringList& Assign(std::vector<std::string>&& lines);
    TStringList& Assign(const TStringList& other) { return Assign(other.FLines); }

    int Count() const { return static_cast<int>(FLines.size()); }
    bool Empty() const { return FLines.empty(); }
    // The line at a 0-based index; an empty string for an index outside the list.
    const std::string& operator[](int index) const;
    const std::vector<std::string>& Lines() const { return FLines; }

    // Add answers the new line's index. Insert at Count appends; Insert, Delete and SetString ignore an
    // index outside the list.
    int Add(std::string line);
    void Insert(int index, std::string line);
    void Delete(int index);
    void SetString(int index, std::string line);
    void Clear();

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TNotifyEvent OnChange;

private:
    void Changed();

    std::vector<std::string> FLines;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

} // namespace orvalis
