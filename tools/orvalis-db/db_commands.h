#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvalis::dbtool {

// Exit codes of the tool.
enum TExitCode : int { ExitOk = 0, ExitError = 1, ExitUsage = 2 };

// Runs the tool with its arguments (without the program name), writing results to out and messages to err.
int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace orvalis::dbtool
