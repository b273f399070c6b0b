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

#include <system_error>
#include <tuple>

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

} // namespace

bool GenerateSkins(const TGeneratorOptions& options, std::vector<std::filesystem::path>& written,
                   std::string& error) {
    for (const TVariant& variant : Variants)
        for (const TStem& stem : Stems())
            if (!Write(PaintBackground(stem, variant), options.ProgramDir / BackgroundFileName(stem, variant),
                       stem.Format, written, error))
                return false;
    for (std::string_view name : TopicPictureNames())
        if (!Write(PaintTopicPicture(name), options.ProgramDir / "I" / "T" / (std::string(name) + ".png"),
                   TFileFormat::Png, written, error))
            return false;
    const auto& skins = options.SkinsDir;
    if (!Write(PaintSplash(), skins / "splash.png", TFileFormat::Png, written, error) ||
        !Write(PaintAbout(), skins / "about.png", TFileFormat::Png, written, error) ||
        !Write(PaintScrollPart(TScrollPart::Up), skins / "scroll_up.png", TFileFormat::Png, written, error) ||
        !Write(PaintScrollPart(TScrollPart::Thumb), skins / "scroll_thumb.png", TFileFormat::Png, written,
               error) ||
        !Write(PaintScrollPart(TScrollPart::Down), skins / "scroll_down.png", TFileFormat::Png, written,
               error))
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
