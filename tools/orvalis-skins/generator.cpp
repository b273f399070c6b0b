#include "orvalis-skins/generator.h"

#include "orvalis-skins/app_icon.h"
#include "orvalis-skins/contact_sheet.h"
#include "orvalis-skins/palette_bitmaps.h"
#include "orvalis-skins/program_pictures.h"
#include "orvalis-skins/skin_painter.h"
#include "orvalis-skins/skin_table.h"
#include "orvalis-skins/topic_pictures.h"

#include <QFile>
#include <QImageWriter>

#include <array>
#include <system_error>
#include <tuple>
#include <utility>

namespace orvalis::skins {

namespace {

bool Write(const QImage& image, const std::filesystem::path& path, TFileFormat format,
           std::vector<std::filesystem::path>& written, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    // The format is given explicitly: background files carry no extension.
    QImageWriter writer(QString::fromStdString(path.string()), QByteArray(FormatName(format).data()));
    if (format == TFileFormat::Jpeg)
        writer.setQuality(92);
    if (!writer.write(image)) {
        error = path.string() + ": " + writer.errorString().toStdString();
        return false;
    }
    written.push_back(path);
    return true;
}

bool WriteBytes(const QByteArray& bytes, const std::filesystem::path& path,
                std::vector<std::filesystem::path>& written, std::string& error) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        error = path.string() + ": " + file.errorString().toStdString();
        return false;
    }
    written.push_back(path);
    return true;
}

// The splash and the about picture reduced to the 16- and the 256-colour palette of the program.
bool WriteSplashBitmaps(const std::filesystem::path& paletteDir, const std::filesystem::path& skins,
                        std::vector<std::filesystem::path>& written, std::string& error) {
    const QImage splash = PaintSplash();
    const QImage about = PaintAbout();
    for (const auto& [palette, suffix, bits] : {std::tuple{"PAL16", "", 4}, std::tuple{"PAL256", "256", 8}}) {
        const auto table = ReadDibColorTable(paletteDir / palette);
        if (!table) {
            error = (paletteDir / palette).string() + ": not a palette bitmap";
            return false;
        }
        if (!WriteBytes(EncodeDib(splash, *table, bits), skins / (std::string("Intro") + suffix), written,
                        error) ||
            !WriteBytes(EncodeDib(about, *table, bits), skins / (std::string("About") + suffix), written,
                        error))
            return false;
    }
    return true;
}

// The densities every picture is drawn at, with the suffix of their files.
constexpr std::array<std::pair<int, const char*>, 2> Densities{{{1, ""}, {2, "@2x"}}};

} // namespace

bool GenerateSkins(const TGeneratorOptions& options, std::vector<std::filesystem::path>& written,
                   std::string& error) {
    // Every picture the program loads comes once more at twice the resolution, as NAME@2x beside it, for
    // screens that scale the desktop.
    for (const TVariant& variant : Variants)
        for (const TStem& stem : Stems())
            for (const auto& [density, suffix] : Densities)
                if (!Write(PaintBackground(stem, variant, density),
                           options.ProgramDir / (BackgroundFileName(stem, variant) + suffix), stem.Format,
                           written, error))
                    return false;
    for (std::string_view name : TopicPictureNames())
        for (const auto& [density, suffix] : Densities)
            if (!Write(PaintTopicPicture(name, density),
                       options.ProgramDir / "I" / "T" / (std::string(name) + suffix + ".png"),
                       TFileFormat::Png, written, error))
                return false;
    const auto& skins = options.SkinsDir;
    if (!Write(PaintSplash(), skins / "splash.png", TFileFormat::Png, written, error) ||
        !Write(PaintSplash(2), skins / "splash@2x.png", TFileFormat::Png, written, error) ||
        !Write(PaintAbout(), skins / "about.png", TFileFormat::Png, written, error) ||
        !Write(PaintAbout(2), skins / "about@2x.png", TFileFormat::Png, written, error))
        return false;
    for (const auto& [part, name] :
         {std::pair{TScrollPart::Up, "scroll_up"}, std::pair{TScrollPart::Thumb, "scroll_thumb"},
          std::pair{TScrollPart::Down, "scroll_down"}})
        for (const auto& [density, suffix] : Densities)
            if (!Write(PaintScrollPart(part, density), skins / (std::string(name) + suffix + ".png"),
                       TFileFormat::Png, written, error))
                return false;
    for (int size : AppIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        if (!Write(PaintAppIcon(size), skins / "icons" / "hicolor" / folder / "apps" / "orvalis.png",
                   TFileFormat::Png, written, error))
            return false;
    }
    if (!options.PaletteDir.empty() && !WriteSplashBitmaps(options.PaletteDir, skins, written, error))
        return false;
    if (options.ContactSheets)
        for (const TVariant& variant : Variants)
            if (!Write(PaintContactSheet(variant),
                       skins / ("contact-" + std::string(variant.Suffix) + ".png"), TFileFormat::Png, written,
                       error))
                return false;
    return true;
}

} // namespace orvalis::skins
