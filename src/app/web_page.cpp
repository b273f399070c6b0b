#include "app/web_page.h"
#include "content/ascii_case.h"
#include "content/short_string.h"
#include "platform/services.h"

#include <string>
#include <vector>

namespace orvalis {

namespace {
// The open command of the file type registered for web pages; none when there is no such type or command.
std::optional<std::string> BrowserCommand(const TRegistry& registry) {
    std::string type;
    for (const char* extension : {".HTML", ".HTM", ".SHTML", ".SHTM"}) {
        // The first key that exists decides, even with an empty type.
        if (const auto value = registry.ReadString("HKEY_CLASSES_ROOT", extension, "")) {
            type = *value;
            break;
        }
    }
    if (type.empty())
        return std::nullopt;
    auto command = registry.ReadString("HKEY_CLASSES_ROOT", type + "\\Shell\\Open\\Command", "");
    if (!command || command->empty())
        return std::nullopt;
    CutToShortString(*command);
    return command;
}

// Drops the document placeholder (the first "%" and the character after it) and every double quote.
std::string CleanCommand(std::string command) {
    if (const size_t percent = command.find('%'); percent != std::string::npos)
        command.erase(percent, 2);
    std::erase(command, '"');
    return command;
}
} // namespace

std::string TBrowserLaunch::Parameters() const {
    return BrowserParameters.empty() ? Address : BrowserParameters + " " + Address;
}

std::optional<TBrowserLaunch> FindBrowserLaunch(const TRegistry& registry, std::string_view address) {
    const std::optional<std::string> command = BrowserCommand(registry);
    if (!command)
        return std::nullopt;
    const std::string line = CleanCommand(*command);
    TBrowserLaunch launch{line, {}, std::string(ShortString(address))};
    // The program ends at the first program extension followed by a blank; what follows the blank is the
    // browser's own parameters.
    const std::string upper = UpperAscii(line);
    for (const char* extension : {".BAT ", ".EXE ", ".COM "}) {
        const size_t p = upper.find(extension);
        if (p == std::string::npos)
            continue;
        launch.Program = line.substr(0, p + 4);
        launch.BrowserParameters = line.substr(p + 5);
        break;
    }
    // No program name ends in a blank; the blank a removed placeholder leaves behind is not part of it.
    while (!launch.Program.empty() && launch.Program.back() == ' ')
        launch.Program.pop_back();
    return launch;
}

bool OpenWebPage(std::string_view Address) {
    const std::optional<TBrowserLaunch> launch = FindBrowserLaunch(Registry(), Address);
    if (!launch || launch->Program.empty())
        return false;
    // The browser's parameters are split as a command line would; the address stays one parameter.
    std::vector<std::string> parameters = SplitParameters(launch->BrowserParameters);
    parameters.push_back(launch->Address);
    return Shell().Start(launch->Program, parameters, {});
}

std::string OnlineHelpAddress(std::string_view customerNumber) {
    std::string address = std::string(OnlineHelpServer) +
                          "/index.dll?lngid=31&customerno=" + LowerAscii(customerNumber) +
                          "&programlabel=orvalis&programversionnumber=2021&show=onlinehelp";
    CutToShortString(address);
    return address;
}

} // namespace orvalis
