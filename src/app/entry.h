#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// Whether the command line asks for the uninstaller: only the first argument counts, compared with
// "uninstall" after folding A-Z to lower case, without trimming.
bool IsUninstallRequest(const std::vector<std::string>& arguments);

// The answer to "--help" or "--version" as the first argument: the text for standard output, given before
// any window system is touched. Every other command line answers nothing and starts the program.
std::optional<std::string> CommandLineAnswer(const std::vector<std::string>& arguments);

// A registered uninstall command taken apart into the program and its parameter text.
struct TUninstallCommand {
    std::string Program;
    std::string Parameters;
    friend bool operator==(const TUninstallCommand&, const TUninstallCommand&) = default;
};

// Splits an uninstall command. A quoted program path ends at the next double quote, and the parameters
// begin after that quote and the separating blank; without its closing quote there is no program. An
// unquoted command ends its program path before the first blank followed by a double quote, and the
// parameters start at that quote; without such a blank and quote there is no program.
TUninstallCommand SplitUninstallCommand(std::string_view command);

// The folder part of a path, with its trailing separator; empty for a bare name.
std::string FolderOf(std::string_view path);

// Starts the uninstaller registered for the program in its own folder, when one is registered. Reports
// nothing.
void RunUninstaller();

// The program: single instance, splash, main window, message loop, and the release of what start-up
// took. Answers the exit code.
int OrvalisMain(int argc, char** argv);

} // namespace orvalis
