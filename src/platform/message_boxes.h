#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// Plain message boxes and the default beep. Texts are Windows-1252. The program-wide service is the Qt
// one unless replaced (tests install a recording double).
class TMessageBoxes {
public:
    virtual ~TMessageBoxes() = default;
    virtual void Information(std::string_view text) = 0;
    virtual void Error(std::string_view text) = 0;
    virtual void Beep() = 0;
};

TMessageBoxes& MessageBoxes();
// Installs a service (none restores the Qt one) and answers the previous one; the caller keeps ownership.
TMessageBoxes* SetMessageBoxes(TMessageBoxes* service);

// The test double: remembers every box and beep instead of showing it.
class RecordingMessageBoxes : public TMessageBoxes {
public:
    enum class TKind { Information, Error, Beep };
    struct TEntry {
        TKind Kind;
        std::string Text;
    };

    void Information(std::string_view text) override {
        FEntries.push_back({TKind::Information, std::string(text)});
    }
    void Error(std::string_view text) override { FEntries.push_back({TKind::Error, std::string(text)}); }
    void Beep() override { FEntries.push_back({TKind::Beep, {}}); }

    const std::vector<TEntry>& Entries() const { return FEntries; }
    void Clear() { FEntries.clear(); }

private:
    std::vector<TEntry> FEntries;
};

// Installs a double for the lifetime of the object.
class TMessageBoxesOverride {
public:
    explicit TMessageBoxesOverride(TMessageBoxes& service) : FPrevious(SetMessageBoxes(&service)) {}
    ~TMessageBoxesOverride() { SetMessageBoxes(FPrevious); }
    TMessageBoxesOverride(const TMessageBoxesOverride&) = delete;
    TMessageBoxesOverride& operator=(const TMessageBoxesOverride&) = delete;

private:
    TMessageBoxes* FPrevious;
};

} // namespace orvalis
