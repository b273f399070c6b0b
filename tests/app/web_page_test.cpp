#include "app/web_page.h"
#include "platform/services.h"

#include "db_fixture.h"

#include <QByteArray>
#include <QStandardPaths>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace orvalis {
namespace {

constexpr const char* Address = "https://www.example.org/a?b=c";

struct TLaunchCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Keys; // key under HKEY_CLASSES_ROOT, default value
    bool Found;
    std::string Program, Parameters;
};

TEST(WebPage, FindBrowserLaunch_FollowsTheRegistryRules) {
    const std::string cmd = "htmlfile\\Shell\\Open\\Command";
    const TLaunchCase cases[] = {
        {"quoted path with blanks, .EXE and one option",
         {{".HTML", "htmlfile"}, {cmd, "\"C:\\Program Files\\Web Browser\\browser.exe\" -nohome"}},
         true,
         "C:\\Program Files\\Web Browser\\browser.exe",
         std::string("-nohome ") + Address},
        {"unquoted .exe and the placeholder",
         {{".HTML", "htmlfile"}, {cmd, "C:\\Browser\\browser.exe %1"}},
         true,
         "C:\\Browser\\browser.exe",
         Address},
        {"quoted .BAT and quoted placeholder",
         {{".HTML", "htmlfile"}, {cmd, "\"C:\\Tools\\web.BAT\" \"%1\""}},
         true,
         "C:\\Tools\\web.BAT",
         Address},
        {"options before the placeholder after .COM",
         {{".HTML", "htmlfile"}, {cmd, "c:\\web.com -new -tab %1"}},
         true,
         "c:\\web.com",
         std::string("-new -tab  ") + Address},
        {"without .BAT, .EXE or .COM the whole line is the program",
         {{".HTML", "htmlfile"}, {cmd, "\"/usr/bin/xdg-open\" \"%1\""}},
         true,
         "/usr/bin/xdg-open",
         Address},
        {"a folder named like a program ends the path early",
         {{".HTML", "htmlfile"}, {cmd, "C:\\Old.exe files\\b.exe"}},
         true,
         "C:\\Old.exe",
         std::string("files\\b.exe ") + Address},
        {"the first extension that exists decides",
         {{".SHTM", "webpage"}, {"webpage\\Shell\\Open\\Command", "browser.exe %1"}},
         true,
         "browser.exe",
         Address},
        {"an empty .HTML type stops the search",
         {{".HTML", ""}, {".HTM", "htmlfile"}, {cmd, "b.exe %1"}},
         false,
         {},
         {}},
        {"a type without open command", {{".HTML", "htmlfile"}}, false, {}, {}},
        {"an empty open command", {{".HTML", "htmlfile"}, {cmd, ""}}, false, {}, {}},
        {"no association at all", {}, false, {}, {}},
    };
    for (const TLaunchCase& c : cases) {
        MemoryRegistry registry;
        for (const auto& [key, value] : c.Keys)
            registry.Put("HKEY_CLASSES_ROOT", key, "", value);
        const auto launch = FindBrowserLaunch(registry, Address);
        ASSERT_EQ(launch.has_value(), c.Found) << c.Name;
        if (!launch)
            continue;
        EXPECT_EQ(launch->Program, c.Program) << c.Name;
        EXPECT_EQ(launch->Parameters(), c.Parameters) << c.Name;
    }
}

// The registry and shell as the program sees them, replaced by doubles for as long as the test runs.
class WebPageServices : public testing::Test {
protected:
    void SetUp() override {
        FPreviousRegistry = SetRegistry(&Registry);
        FPreviousShell = SetShell(&Shell);
    }
    void TearDown() override {
        SetShell(FPreviousShell);
        SetRegistry(FPreviousRegistry);
    }
    MemoryRegistry Registry;
    RecordingShell Shell;

private:
    TRegistry* FPreviousRegistry = nullptr;
    TShell* FPreviousShell = nullptr;
};

TEST_F(WebPageServices, OpenWebPage_StartsTheBrowserWithTheAddressAsOneParameter) {
    Registry.Put("HKEY_CLASSES_ROOT", ".HTML", "", "htmlfile");
    Registry.Put("HKEY_CLASSES_ROOT", "htmlfile\\Shell\\Open\\Command", "",
                 "\"C:\\B r\\b.exe\" -a \"x y\" %1");
    EXPECT_TRUE(OpenWebPage("https://e.org/a b"));
    ASSERT_EQ(Shell.Starts().size(), 1u);
    EXPECT_EQ(Shell.Starts()[0].Program, "C:\\B r\\b.exe");
    EXPECT_EQ(Shell.Starts()[0].Parameters, (std::vector<std::string>{"-a", "x", "y", "https://e.org/a b"}))
        << "quotes were removed from the command line; the address is never split";
    EXPECT_EQ(Shell.Starts()[0].WorkingFolder, "");

    Shell.Result = false;
    EXPECT_FALSE(OpenWebPage("https://e.org/")) << "a browser that does not start is reported";
}

TEST_F(WebPageServices, OpenWebPage_WithoutBrowserStartsNothing) {
    EXPECT_FALSE(OpenWebPage("https://e.org/"));
    Registry.Put("HKEY_CLASSES_ROOT", ".HTML", "", "");
    Registry.Put("HKEY_CLASSES_ROOT", ".HTM", "", "htmlfile");
    Registry.Put("HKEY_CLASSES_ROOT", "htmlfile\\Shell\\Open\\Command", "", "b.exe %1");
    EXPECT_FALSE(OpenWebPage("https://e.org/"));
    EXPECT_TRUE(Shell.Starts().empty());
}

TEST_F(WebPageServices, OpenWebPage_CutsTheAddressAt255) {
    Registry.Put("HKEY_CLASSES_ROOT", ".HTML", "", "htmlfile");
    Registry.Put("HKEY_CLASSES_ROOT", "htmlfile\\Shell\\Open\\Command", "", "b.exe %1");
    OpenWebPage("https://e.org/" + std::string(300, 'a'));
    ASSERT_EQ(Shell.Starts().size(), 1u);
    EXPECT_EQ(Shell.Starts()[0].Parameters.back().size(), 255u);
}

TEST(WebPage, OnlineHelpAddress_CarriesTheKeysAndIsCutAt255) {
    EXPECT_EQ(OnlineHelpAddress(""), std::string(OnlineHelpServer) +
                                         "/index.dll?lngid=31&customerno=&programlabel=orvalis"
                                         "&programversionnumber=2021&show=onlinehelp");
    EXPECT_NE(OnlineHelpAddress("AB12").find("&customerno=ab12&"), std::string::npos)
        << "the customer number in lower case";
    const std::string cut = OnlineHelpAddress(std::string(300, 'X'));
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut.back(), 'x');
}

// End to end: the desktop's launcher (xdg-open, outside any desktop session) hands the address to the
// browser named in $BROWSER, here a script that writes it into a file.
TEST(WebPage, OpenWebPage_TheDesktopsBrowserReceivesTheAddress) {
    if (QStandardPaths::findExecutable("xdg-open").isEmpty())
        GTEST_SKIP() << "no xdg-open";
    test::TempDir folder;
    const std::string received = folder.File("received"), browser = folder.File("browser");
    std::ofstream(browser) << "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" << received << "'\n";
    std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
    struct TEnvironment {
        std::vector<std::pair<const char*, QByteArray>> Saved;
        void Set(const char* name, const QByteArray& value) {
            Saved.push_back({name, qgetenv(name)});
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        ~TEnvironment() {
            for (const auto& [name, value] : Saved)
                value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
        }
    } environment;
    environment.Set("BROWSER", QByteArray::fromStdString(browser));
    for (const char* session :
         {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
          "MATE_DESKTOP_SESSION_ID", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.Set(session, {});

    const std::string address = OnlineHelpAddress("");
    ASSERT_TRUE(OpenWebPage(address));
    std::string line;
    for (int i = 0; i < 100 && line.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::ifstream in(received);
        std::getline(in, line);
    }
    EXPECT_EQ(line, address);
}

} // namespace
} // namespace orvalis
