// orvalis-skins PROGRAM_DIR SKINS_DIR [--palettes DIR] [--no-contact-sheets]: draws every skin picture of
// the program; with the folder of the palette resources also the splash and the about picture for
// 16- and 256-colour screens.
#include "orvalis-skins/generator.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const char* usage = "usage: orvalis-skins PROGRAM_DIR SKINS_DIR [--palettes DIR] [--no-contact-sheets]\n";
    if (argc < 3) {
        std::cerr << usage;
        return 2;
    }
    orvalis::skins::TGeneratorOptions options{argv[1], argv[2], true, {}};
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-contact-sheets") {
            options.ContactSheets = false;
        } else if (arg == "--palettes" && i + 1 < argc) {
            options.PaletteDir = argv[++i];
        } else {
            std::cerr << usage;
            return 2;
        }
    }
    // A generator never shows a window; without a display it still needs a platform for its fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    std::vector<std::filesystem::path> written;
    std::string error;
    if (!orvalis::skins::GenerateSkins(options, written, error)) {
        std::cerr << "orvalis-skins: " << error << "\n";
        return 1;
    }
    std::cout << "orvalis-skins: " << written.size() << " pictures written\n";
    return 0;
}
