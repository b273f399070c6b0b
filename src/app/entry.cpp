#include "app/entry.h"
#include "app/about_box.h"
#include "app/intro_form.h"
#include "app/main_form.h"
#include "content/ascii_case.h"
#include "content/short_string.h"
#include "controls/shared_palette.h"
#include "platform/form.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "platform/single_instance.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace orvalis {

namespace {
constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvalis";

// What start-up acquired and the end of the program gives back, in reverse order, whichever way it ends.
class TStartupResources {
public:
    TStartupResources() {
        BuildSharedPalettes();
        FFont = FontRegistry().Register(ProgramPath("tahoma.ttf"));
    }
    ~TStartupResources() {
        if (FFont > 0)
            FontRegistry().Release(FFont);
        FreeSharedPalettes();
    }
    TStartupResources(const TStartupResources&) = delete;
    TStartupResources& operator=(const TStartupResources&) = delete;

private:
    int FFont = 0;
};

// The messages of later copies: "show" raises this copy (the splash while it is still loading), "close"
// closes the main window, or, while the window is still being created, as soon as it exists.
struct TInstanceState {
    TMainForm* MainForm = nullptr;
    bool CloseRequested = false;
};

int RunProgram(TSingleInstance& instance) {
    TInstanceState state;
    instance.OnMessage = [&state](TInstanceMessage message) {
        if (message == TInstanceMessage::imShow) {
            if (state.MainForm)
                state.MainForm->WMShowInstance();
            else if (IntroForm())
                ShowIntroForm();
        } else if (state.MainForm) {
            // A window already closing (hidden) is not closed twice.
            if (state.MainForm->Visible())
                state.MainForm->Close();
        } else {
            state.CloseRequested = true;
        }
    };

    const TStartupResources resources;
    ShowIntroForm();
    Application().ProcessMessages();
    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = std::make_unique<TMainForm>();
    } catch (const EScreenTooSmall&) {
        instance.OnMessage = nullptr;
        FreeIntroForm();
        return 1;
    }
    state.MainForm = mainForm.get();
    Application().SetMainForm(mainForm.get());
    if (state.CloseRequested)
        mainForm->Close();
    else
        Application().Run();
    instance.OnMessage = nullptr;
    Application().SetMainForm(nullptr);
    mainForm.reset();
    FreeIntroForm();
    FreeAboutBox();
    return 0;
}
} // namespace

bool IsUninstallRequest(const std::vector<std::string>& arguments) {
    return !arguments.empty() && LowerAscii(arguments.front()) == "uninstall";
}

std::optional<std::string> CommandLineAnswer(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return std::nullopt;
    if (arguments.front() == "--version")
        return std::string("orvalis ") + ORVALIS_VERSION + "\n";
    if (arguments.front() != "--help")
        return std::nullopt;
    return "Usage: orvalis [uninstall]\n"
           "\n"
           "Orvalis, an illustrated reference work in Dutch on everyday health complaints,\n"
           "their remedies and nutrients. The reader fills the screen; it reads the record\n"
           "database D/iDbRecs.dat and the pictures under I/ in the folder of the program\n"
           "file. Only one copy runs: starting the program again brings the running copy\n"
           "to the front.\n"
           "\n"
           "  uninstall    close the running copy (and start the uninstaller registered\n"
           "               for the program, where the system has one)\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n";
}

TUninstallCommand SplitUninstallCommand(std::string_view command) {
    TUninstallCommand result;
    if (!command.empty() && command.front() == '"') {
        command.remove_prefix(1);
        const size_t quote = command.find('"');
        if (quote == std::string_view::npos)
            return result;
        result.Program = std::string(command.substr(0, quote));
        // The closing quote and the blank after it.
        command.remove_prefix(std::min(command.size(), quote + 2));
        result.Parameters = std::string(command);
        return result;
    }
    const size_t split = command.find(" \"");
    if (split == std::string_view::npos)
        return result;
    result.Program = std::string(command.substr(0, split));
    result.Parameters = std::string(command.substr(split + 1));
    return result;
}

std::string FolderOf(std::string_view path) {
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string_view::npos ? std::string() : std::string(path.substr(0, separator + 1));
}

void RunUninstaller() {
    std::optional<std::string> command =
        Registry().ReadString("HKEY_LOCAL_MACHINE", UninstallKey, "UninstallString");
    if (!command || command->empty())
        return;
    CutToShortString(*command);
    const TUninstallCommand parts = SplitUninstallCommand(*command);
    if (parts.Program.empty())
        return;
    Shell().Start(parts.Program, SplitParameters(parts.Parameters), FolderOf(parts.Program));
}

int OrvalisMain(int argc, char** argv) {
    if (const auto answer = CommandLineAnswer(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    Application().Initialize(argc, argv);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    const bool uninstall = IsUninstallRequest(arguments);

    int exitCode = 0;
    {
        const std::unique_ptr<TSingleInstance> instance = CreateSingleInstance();
        const bool first = instance->BecomeFirst();
        if (!first && !uninstall) {
            instance->Send(TInstanceMessage::imShow);
        } else {
            if (!first)
                instance->Send(TInstanceMessage::imClose);
            // A random start value from the clock, for everything that draws by chance later.
            std::srand(static_cast<unsigned>(std::time(nullptr)));
            if (uninstall) {
                RunUninstaller();
            } else if (!Application().CanPaintWindows()) {
                // Rather than a black window over the whole screen that the reader cannot close.
                std::fprintf(stderr,
                             "orvalis: the window system cannot draw on this screen of %d bits per pixel; "
                             "start the program on a screen of 16 bits per pixel or more\n",
                             Screen().BitsPerPixel());
                exitCode = 1;
            } else {
                exitCode = RunProgram(*instance);
            }
        }
    }
    Application().Finish();
    return exitCode;
}

} // namespace orvalis
