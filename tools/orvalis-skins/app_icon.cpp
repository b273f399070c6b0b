#include "orvalis-skins/app_icon.h"

#include "orvalis-skins/drawing.h"

#include <QPainterPath>

#include <algorithm>

namespace orvalis::skins {

namespace {

constexpr double Grid = 256;

// The cover and its rounded outline, in design units.
const QRectF CoverRect(14, 14, 228, 228);
constexpr double CoverRadius = 44;

// One half of the open book: the spine at x 128, the outer edge at 128 + side * 100.
QPainterPath BookHalf(int side) {
    const double outer = 128 + side * 100;
    QPainterPath page;
    page.moveTo(128, 104);
    page.cubicTo(128 + side * 24, 88, outer - side * 36, 84, outer, 96);
    page.lineTo(outer, 190);
    page.cubicTo(outer - side * 36, 178, 128 + side * 26, 180, 128, 196);
    page.closeSubpath();
    return page;
}

} // namespace

QImage PaintAppIcon(int size) {
    const double scale = size / Grid;
    // A width in design units that stays at least one pixel wide at every size.
    auto line = [scale](double units) { return std::max(units, 1.0 / scale); };
    const TTheme& t = ThemeFor(TMode::Reading);

    // The cover is painted opaque first, so that the paper grain never touches the transparent corners.
    QImage paper(size, size, QImage::Format_RGB32);
    {
        QPainter p(&paper);
        FillVertical(p, QRectF(0, 0, size, size), t.PaperLight, t.PaperDeep);
    }
    if (size >= 64)
        ApplyPaperTexture(paper, 1517, size / 6.0, 2.5, 2.0);

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        QPainterPath cover;
        cover.addRoundedRect(CoverRect, CoverRadius, CoverRadius);
        p.save();
        p.setClipPath(cover);
        p.drawImage(QRectF(0, 0, Grid, Grid), paper);
        p.restore();
        p.setPen(QPen(design::Title, line(8)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cover);

        // The leaves first, so that the book's pages cover their bases at the spine.
        Leaf(p, QPointF(128, 112), 92, -62, t.Leaf);
        Leaf(p, QPointF(128, 112), 74, -128, t.LeafLight);

        const QColor page(0xFC, 0xF6, 0xE6);
        p.setPen(QPen(design::Title, line(7), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(page);
        for (int side : {-1, 1})
            p.drawPath(BookHalf(side));
        // Lines of print where there are pixels enough to show them.
        if (size >= 32) {
            p.setPen(QPen(t.Rule, line(5), Qt::SolidLine, Qt::RoundCap));
            for (int side : {-1, 1})
                for (int row = 0; row < 4; ++row) {
                    const double y = 118 + row * 18;
                    p.drawLine(QPointF(128 + side * 20, y + 4), QPointF(128 + side * 80, y));
                }
        }
        p.setPen(QPen(design::Title, line(7), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(128, 104), QPointF(128, 196));
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace orvalis::skins
