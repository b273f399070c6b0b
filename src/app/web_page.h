#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvalis {

class TRegistry;

// The web sites behind the about box's two link areas, and the online help.
inline constexpr const char* PublisherWebAddress = "https://www.veldhaven.example/";
inline constexpr const char* MakerWebAddress = "https://www.brantwell.example/";
inline constexpr const char* OnlineHelpServer = "https://help.brantwell.example";

// How the browser registered for web pages is started for an address.
struct TBrowserLaunch {
    std::string Program;
    // The browser's own parameters from its command line; empty when it has none.
    std::string BrowserParameters;
    std::string Address;
    // The parameters as one command line: the browser's parameters, a blank and the address, or the
    // address alone.
    std::string Parameters() const;
};

// Finds the browser through the registry: the file type of the first of ".HTML", ".HTM", ".SHTML" and
// ".SHTM" that exists (an empty type ends the search), then that type's open command, without its
// document placeholder and quotes, split after ".BAT ", ".EXE " or ".COM ". None when no browser is
// registered. The address is cut to 255 characters.
std::optional<TBrowserLaunch> FindBrowserLaunch(const TRegistry& registry, std::string_view address);

// Opens the address in the registered browser; false when there is none or it could not be started.
bool OpenWebPage(std::string_view Address);

// The online help's address for the installation's customer number, cut to 255 characters.
std::string OnlineHelpAddress(std::string_view customerNumber);

} // namespace orvalis
