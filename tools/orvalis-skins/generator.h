// Writes every picture: the backgrounds into the program folder, the built-in pictures and the
// contact sheets into the skins folder of the build.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvalis::skins {

struct TGeneratorOptions {
    std::filesystem::path ProgramDir; // receives I/B/<stem><suffix> and I/T/<topic>.png
    std::filesystem::path SkinsDir;   // receives splash.png, about.png, scroll_*.png, contact-*.png
    bool ContactSheets = true;
};

// Returns the files written, relative to their folder; false and a message on the first failure.
bool GenerateSkins(const TGeneratorOptions& options, std::vector<std::filesystem::path>& written,
                   std::string& error);

} // namespace orvalis::skins
