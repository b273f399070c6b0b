// Writes every picture: the backgrounds into the program folder, the built-in pictures and the
// contact sheets into the skins folder of the build.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvalis::skins {

struct TGeneratorOptions {
    std::filesystem::path ProgramDir; // receives I/B/<stem><suffix> and I/T/<topic>.png
    // Receives splash.png, about.png, scroll_*.png, contact-*.png and the program's icon as
    // icons/hicolor/<N>x<N>/apps/orvalis.png.
    std::filesystem::path SkinsDir;
    bool ContactSheets = true;
    // Holds the palette resources PAL16 and PAL256; with it the splash is also written for 16- and
    // 256-colour screens (Intro, Intro256 in the skins folder).
    std::filesystem::path PaletteDir;
};

// Returns the files written, relative to their folder; false and a message on the first failure.
bool GenerateSkins(const TGeneratorOptions& options, std::vector<std::filesystem::path>& written,
                   std::string& error);

} // namespace orvalis::skins
