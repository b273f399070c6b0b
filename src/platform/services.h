#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class TCanvas;

// The program's outside services. Each is an interface with a Qt implementation, installed by default,
// and a test double; Set… installs another one (none restores the Qt one) and answers the previous one.
// Texts are Windows-1252, paths use the system's form (backslashes allowed).

// The clipboard's plain text.
class TClipboard {
public:
    virtual ~TClipboard() = default;
    virtual void SetText(std::string_view text) = 0;
    virtual std::string Text() const = 0;
};
TClipboard& Clipboard();
TClipboard* SetClipboard(TClipboard* service);

class MemoryClipboard : public TClipboard {
public:
    void SetText(std::string_view text) override { FText = text; }
    std::string Text() const override { return FText; }

private:
    std::string FText;
};

// Starts programs directly, never through a command shell, so that no character of a parameter is
// interpreted.
class TShell {
public:
    virtual ~TShell() = default;
    // Starts the program detached with the parameters in the given working folder; false when it could
    // not be started.
    virtual bool Start(const std::string& program, const std::vector<std::string>& parameters,
                       const std::string& workingFolder) = 0;
};
TShell& Shell();
TShell* SetShell(TShell* service);
// Splits a parameter string as a command line does: blanks separate, double quotes group and are removed.
std::vector<std::string> SplitParameters(std::string_view parameters);

class RecordingShell : public TShell {
public:
    struct TStart {
        std::string Program;
        std::vector<std::string> Parameters;
        std::string WorkingFolder;
    };
    bool Start(const std::string& program, const std::vector<std::string>& parameters,
               const std::string& workingFolder) override {
        FStarts.push_back({program, parameters, workingFolder});
        return Result;
    }
    const std::vector<TStart>& Starts() const { return FStarts; }
    bool Result = true;

private:
    std::vector<TStart> FStarts;
};

// The registry, read only. On this system there is no uninstall entry; the browser's open command
// ("HKEY_CLASSES_ROOT", "http\shell\open\command" or "htmlfile\shell\open\command", default value "") is
// the desktop's default browser launcher, "xdg-open" "%1", when one is installed, and then the web page
// extensions ".html", ".htm", ".shtml" and ".shtm" name the type "htmlfile". Keys compare without regard
// to case.
class TRegistry {
public:
    virtual ~TRegistry() = default;
    virtual std::optional<std::string> ReadString(std::string_view root, std::string_view key,
                                                  std::string_view value) const = 0;
};
TRegistry& Registry();
TRegistry* SetRegistry(TRegistry* service);

class MemoryRegistry : public TRegistry {
public:
    void Put(const std::string& root, const std::string& key, const std::string& value,
             const std::string& data) {
        FValues[root + "\\" + key + "\\" + value] = data;
    }
    std::optional<std::string> ReadString(std::string_view root, std::string_view key,
                                          std::string_view value) const override {
        const auto it = FValues.find(std::string(root) + "\\" + std::string(key) + "\\" + std::string(value));
        return it == FValues.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

private:
    std::map<std::string, std::string> FValues;
};

// Private font registration: fonts from files, usable by this program only until released.
class TFontRegistry {
public:
    virtual ~TFontRegistry() = default;
    // A handle above 0, or 0 when the file holds no usable font.
    virtual int Register(const std::string& fileName) = 0;
    virtual bool Release(int handle) = 0;
};
TFontRegistry& FontRegistry();
TFontRegistry* SetFontRegistry(TFontRegistry* service);

} // namespace orvalis
