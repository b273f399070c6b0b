#include "platform/qt_text.h"
#include "platform/cp1252.h"

#include <QFontDatabase>

namespace orvalis {

QString FromCp1252(std::string_view text) {
    QString out;
    out.reserve(qsizetype(text.size()));
    for (char c : text)
        out.append(QChar(char16_t(Cp1252ToUnicode((unsigned char)c))));
    return out;
}

std::string ToCp1252(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar c : text) {
        const unsigned char mapped = UnicodeToCp1252(c.unicode());
        out += mapped != 0 || c.unicode() == 0 ? char(mapped) : '?';
    }
    return out;
}

QFont ToQFont(const TFont& font) {
    // Whether Arial is installed is asked once: the font database's family list is costly to build, and
    // text is measured and drawn word by word.
    static const bool haveArial = QFontDatabase::families().contains(QLatin1String("Arial"));
    QString family = FromCp1252(font.Name());
    if (!haveArial && family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        family = QStringLiteral("Liberation Sans");
    QFont qfont(family);
    qfont.setPixelSize(std::max(font.PixelSize(), 1));
    const TFontStyles style = font.Style();
    qfont.setBold(style.Has(TFontStyle::fsBold));
    qfont.setItalic(style.Has(TFontStyle::fsItalic));
    qfont.setUnderline(style.Has(TFontStyle::fsUnderline));
    qfont.setStrikeOut(style.Has(TFontStyle::fsStrikeOut));
    // Text is drawn crisp, as the 256-colour screens the pictures were made for show it; this also keeps
    // exclusive-or text overlays free of half-tones.
    qfont.setStyleStrategy(QFont::NoAntialias);
    qfont.setHintingPreference(QFont::PreferFullHinting);
    return qfont;
}

} // namespace orvalis
