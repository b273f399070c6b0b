#include "platform/services.h"
#include "platform/paths.h"
#include "platform/qt_text.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace orvalis {

namespace {
template <class T> T& Chosen(T* current, T& fallback) {
    return current ? *current : fallback;
}

class QtClipboard : public TClipboard {
public:
    void SetText(std::string_view text) override { QGuiApplication::clipboard()->setText(FromCp1252(text)); }
    std::string Text() const override { return ToCp1252(QGuiApplication::clipboard()->text()); }
};

class QtShell : public TShell {
public:
    bool Start(const std::string& program, const std::vector<std::string>& parameters,
               const std::string& workingFolder) override {
        if (program.empty())
            return false;
        QStringList args;
        for (const std::string& p : parameters)
            args << FromCp1252(p);
        return QProcess::startDetached(QString::fromStdString(NativePath(program)), args,
                                       QString::fromStdString(NativePath(workingFolder)));
    }
};

// Registry keys and value names compare without regard to ASCII case, as the registry's do.
bool SameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

class DesktopRegistry : public TRegistry {
public:
    std::optional<std::string> ReadString(std::string_view root, std::string_view key,
                                          std::string_view value) const override {
        if (!(SameKey(root, "HKEY_CLASSES_ROOT") || SameKey(root, "HKCR")) || !value.empty())
            return std::nullopt;
        const bool webPage =
            SameKey(key, ".html") || SameKey(key, ".htm") || SameKey(key, ".shtml") || SameKey(key, ".shtm");
        const bool browser =
            SameKey(key, "http\\shell\\open\\command") || SameKey(key, "htmlfile\\shell\\open\\command");
        if (!webPage && !browser)
            return std::nullopt;
        const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (launcher.isEmpty())
            return std::nullopt;
        // Web pages are of the type "htmlfile", whose open command is the launcher.
        if (webPage)
            return std::string("htmlfile");
        return "\"" + ToCp1252(launcher) + "\" \"%1\"";
    }
};

class QtFontRegistry : public TFontRegistry {
public:
    int Register(const std::string& fileName) override {
        const int id = QFontDatabase::addApplicationFont(QString::fromStdString(NativePath(fileName)));
        if (id < 0)
            return 0;
        FHandles.insert(id + 1);
        return id + 1;
    }
    // Only fonts this registry registered and has not yet released.
    bool Release(int handle) override {
        if (FHandles.erase(handle) == 0)
            return false;
        return QFontDatabase::removeApplicationFont(handle - 1);
    }

private:
    std::set<int> FHandles;
};

TClipboard* ReplacedClipboard = nullptr;
TShell* ReplacedShell = nullptr;
TRegistry* ReplacedRegistry = nullptr;
TFontRegistry* ReplacedFontRegistry = nullptr;
} // namespace

TClipboard& Clipboard() {
    static QtClipboard qt;
    return Chosen(ReplacedClipboard, static_cast<TClipboard&>(qt));
}
TClipboard* SetClipboard(TClipboard* service) {
    return std::exchange(ReplacedClipboard, service);
}

TShell& Shell() {
    static QtShell qt;
    return Chosen(ReplacedShell, static_cast<TShell&>(qt));
}
TShell* SetShell(TShell* service) {
    return std::exchange(ReplacedShell, service);
}

TRegistry& Registry() {
    static DesktopRegistry desktop;
    return Chosen(ReplacedRegistry, static_cast<TRegistry&>(desktop));
}
TRegistry* SetRegistry(TRegistry* service) {
    return std::exchange(ReplacedRegistry, service);
}

TFontRegistry& FontRegistry() {
    static QtFontRegistry qt;
    return Chosen(ReplacedFontRegistry, static_cast<TFontRegistry&>(qt));
}
TFontRegistry* SetFontRegistry(TFontRegistry* service) {
    return std::exchange(ReplacedFontRegistry, service);
}

std::vector<std::string> SplitParameters(std::string_view parameters) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false, any = false;
    for (char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any)
                out.push_back(std::exchange(current, {}));
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        out.push_back(current);
    return out;
}

} // namespace orvalis
