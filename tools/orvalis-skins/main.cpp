// orvalis-skins PROGRAM_DIR SKINS_DIR [--no-contact-sheets]: draws every skin picture of the program.
#include "orvalis-skins/generator.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--no-contact-sheets")) {
        std::cerr << "usage: orvalis-skins PROGRAM_DIR SKINS_DIR [--no-contact-sheets]\n";
        return 2;
    }
    // A generator never shows a window; without a display it still needs a platform for its fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    orvalis::skins::TGeneratorOptions options{argv[1], argv[2], argc == 3};
    std::vector<std::filesystem::path> written;
    std::string error;
    if (!orvalis::skins::GenerateSkins(options, written, error)) {
        std::cerr << "orvalis-skins: " << error << "\n";
        return 1;
    }
    std::cout << "orvalis-skins: " << written.size() << " pictures written\n";
    return 0;
}
