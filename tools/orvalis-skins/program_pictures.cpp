#include "orvalis-skins/program_pictures.h"

#include "orvalis-skins/drawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QRadialGradient>

namespace orvalis::skins {

namespace {

QFont SerifFont(int pixelSize, bool bold) {
    QFont f("Liberation Serif");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont SansFont(int pixelSize, bool bold) {
    QFont f("Liberation Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// The title is filled as an outline, centred in the rectangle: glyphs this large drawn as text come out with
// other edge pixels once the font's glyphs are cached, and a build must write the same bytes every time.
void ShadowedText(QPainter& p, const QRectF& r, const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    const QPointF origin(r.center().x() - metrics.horizontalAdvance(text) / 2,
                         r.center().y() + (metrics.ascent() - metrics.descent()) / 2);
    QPainterPath outline;
    outline.addText(origin, font, text);
    p.fillPath(outline.translated(1.5, 1.5), design::TitleShadow);
    p.fillPath(outline, design::Title);
}

void Wreath(QPainter& p, QPointF center, double radius, const TTheme& t, TRng& rng) {
    for (int side : {-1, 1}) {
        const QPointF from = center + QPointF(side * radius * 0.25, radius);
        const QPointF to = center + QPointF(side * radius, -radius * 0.15);
        Sprig(p, from, to, side * radius * 0.35, 9, radius * 0.3, t, rng);
    }
}

} // namespace

QImage PaintSplash(int density) {
    QImage image = DensityImage(282, 282, density);
    const TTheme& t = ThemeFor(TMode::Reading);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient glow(QPointF(141, 110), 200);
        glow.setColorAt(0, t.PaperLight);
        glow.setColorAt(1, t.PaperDeep);
        p.fillRect(QRectF(0, 0, 282, 282), glow);
        TRng rng(282);
        Wreath(p, QPointF(141, 108), 92, t, rng);
        Daisy(p, QPointF(141, 38), 14, QColor(0xFC, 0xF6, 0xE6), QColor(0xE0, 0xA8, 0x2E));
        Leaf(p, QPointF(141, 52), 22, 125, t.Leaf);
        Leaf(p, QPointF(141, 52), 22, 55, t.LeafLight);
        ShadowedText(p, QRectF(0, 84, 282, 52), "Orvalis", SerifFont(46, true));
        // The motto in three short lines, so that it stays inside the wreath.
        p.setFont(SansFont(10, false));
        p.setPen(design::Title);
        p.drawText(QRectF(0, 138, 282, 14), Qt::AlignCenter, "Gezond worden");
        p.drawText(QRectF(0, 152, 282, 14), Qt::AlignCenter, "en gezond blijven");
        p.drawText(QRectF(0, 166, 282, 14), Qt::AlignCenter, "met de natuur");
        p.setFont(SansFont(10, false));
        p.drawText(QRectF(0, 196, 282, 14), Qt::AlignCenter, "versie 2.0 release 2");
        // The band of the loading text (white) and the gauge.
        FillVertical(p, QRectF(0, 248, 282, 34), design::Title, design::Title.darker(125));
        p.setPen(QPen(design::TitleShadow, 1));
        p.drawLine(QPointF(0, 247.5), QPointF(282, 247.5));
    }
    ApplyPaperTexture(image, 282, 40.0 * density, 2.5, 2.0);
    return image;
}

QImage PaintAbout(int density) {
    QImage image = DensityImage(325, 325, density);
    const TTheme& t = ThemeFor(TMode::Reading);
    const TTheme& sage = ThemeFor(TMode::Link);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        FillVertical(p, QRectF(0, 0, 325, 325), t.PaperLight, t.Paper);
        TRng rng(325);
        Sprig(p, QPointF(20, 120), QPointF(70, 20), 20, 8, 14, t, rng);
        Sprig(p, QPointF(305, 120), QPointF(255, 20), -20, 8, 14, t, rng);
        ShadowedText(p, QRectF(0, 28, 325, 50), "Orvalis", SerifFont(42, true));
        p.setFont(SansFont(12, false));
        p.setPen(design::Title);
        p.drawText(QRectF(0, 80, 325, 18), Qt::AlignCenter, "versie 2.0 release 2");
        p.setFont(SansFont(11, false));
        p.drawText(QRectF(40, 108, 245, 60), Qt::AlignCenter | Qt::TextWordWrap,
                   "Een geïllustreerd naslagwerk over voeding, alledaagse klachten en wat u er zelf aan "
                   "kunt doen.");
        p.setPen(QPen(t.Rule, 1));
        p.drawLine(QPointF(40, 180.5), QPointF(285, 180.5));
        p.setFont(SansFont(10, false));
        p.setPen(design::Title);
        p.drawText(QRectF(30, 214, 160, 30), Qt::AlignCenter | Qt::TextWordWrap,
                   "Klik op een naam voor de website.");
        // Publisher's mark under the link area at 211,207 78x95: an open book with a leaf.
        Card(p, QRectF(213, 209, 74, 91), t.Ribbon, t);
        QPainterPath book;
        book.moveTo(250, 238);
        book.cubicTo(238, 230, 228, 232, 222, 236);
        book.lineTo(222, 262);
        book.cubicTo(230, 258, 240, 258, 250, 264);
        book.cubicTo(260, 258, 270, 258, 278, 262);
        book.lineTo(278, 236);
        book.cubicTo(272, 232, 262, 230, 250, 238);
        p.setPen(QPen(design::Title, 1.2));
        p.setBrush(QColor(0xFC, 0xF6, 0xE6));
        p.drawPath(book);
        p.drawLine(QPointF(250, 238), QPointF(250, 264));
        Leaf(p, QPointF(250, 236), 16, -70, t.Leaf);
        p.setFont(SansFont(9, false));
        p.drawText(QRectF(213, 268, 74, 12), Qt::AlignCenter, "Uitgeverij");
        p.setFont(SansFont(11, true));
        p.drawText(QRectF(213, 280, 74, 14), Qt::AlignCenter, "Veldhaven");
        // Maker's mark under the link area at 40,267 130x40.
        Card(p, QRectF(42, 269, 126, 36), sage.PaperLight, sage);
        Leaf(p, QPointF(52, 295), 14, -60, sage.Leaf);
        Leaf(p, QPointF(52, 295), 11, -20, sage.LeafLight);
        p.setPen(design::LinkPen.darker(140));
        p.setFont(SansFont(12, true));
        p.drawText(QRectF(66, 272, 100, 16), Qt::AlignLeft | Qt::AlignVCenter, "Brantwell");
        p.setFont(SansFont(10, false));
        p.drawText(QRectF(66, 287, 100, 14), Qt::AlignLeft | Qt::AlignVCenter, "Software");
    }
    ApplyPaperTexture(image, 325, 40.0 * density, 2.5, 2.0);
    return image;
}

QImage PaintScrollPart(TScrollPart part, int density) {
    QImage image = DensityImage(16, 16, density);
    const TTheme& t = ThemeFor(TMode::Reading);
    image.fill(t.Paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (part == TScrollPart::Thumb) {
        p.setPen(QPen(t.RuleDark, 1));
        p.setBrush(t.PaperDeep);
        p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 3, 3);
        p.setPen(QPen(design::Title, 1));
        for (double y : {5.5, 8.0, 10.5})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        return image;
    }
    p.setPen(QPen(t.Rule, 1));
    p.setBrush(design::ButtonBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QPainterPath arrow;
    if (part == TScrollPart::Up) {
        arrow.moveTo(8, 4.5);
        arrow.lineTo(12.5, 10.5);
        arrow.lineTo(3.5, 10.5);
    } else {
        arrow.moveTo(8, 11.5);
        arrow.lineTo(12.5, 5.5);
        arrow.lineTo(3.5, 5.5);
    }
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(design::Title);
    p.drawPath(arrow);
    return image;
}

} // namespace orvalis::skins
