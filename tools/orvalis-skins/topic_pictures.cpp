#include "orvalis-skins/topic_pictures.h"

#include "orvalis-skins/drawing.h"

#include <QPainterPath>

#include <array>
#include <cmath>

namespace orvalis::skins {

namespace {

constexpr std::array<std::string_view, 14> Names{"citrus", "groente",      "fruit",  "kruiden", "thee",
                                                 "water",  "zon",          "noten",  "vis",     "melk",
                                                 "graan",  "peulvruchten", "koffie", "schijf"};

const QColor Ink(0x6D, 0x3A, 0x0D);

void Outlined(QPainter& p, const QColor& fill) {
    p.setPen(QPen(fill.darker(150), 1.2));
    p.setBrush(fill);
}

void Citrus(QPainter& p, const TTheme& t) {
    Outlined(p, QColor(0xF2, 0xA0, 0x2A));
    p.drawEllipse(QPointF(45, 48), 24, 24);
    Leaf(p, QPointF(45, 25), 16, -60, t.Leaf);
    // A lemon slice beside it.
    Outlined(p, QColor(0xF6, 0xD8, 0x4A));
    p.drawPie(QRectF(62, 30, 44, 44), 0, -180 * 16);
    p.setPen(QPen(QColor(0xFB, 0xF3, 0xC8), 1.4));
    for (int i = 0; i <= 4; ++i) {
        const double a = M_PI * i / 4;
        p.drawLine(QPointF(84, 52), QPointF(84 + 19 * std::cos(a), 52 + 19 * std::sin(a)));
    }
}

void Groente(QPainter& p, const TTheme& t) {
    QPainterPath carrot;
    carrot.moveTo(30, 28);
    carrot.lineTo(44, 28);
    carrot.lineTo(37, 78);
    carrot.closeSubpath();
    Outlined(p, QColor(0xE8, 0x7A, 0x1E));
    p.drawPath(carrot);
    Leaf(p, QPointF(37, 28), 16, -110, t.Leaf);
    Leaf(p, QPointF(37, 28), 16, -70, t.LeafLight);
    Outlined(p, QColor(0x7E, 0x96, 0x2C));
    p.drawRect(QRectF(76, 50, 8, 26));
    for (QPointF c : {QPointF(70, 44), QPointF(90, 44), QPointF(80, 34), QPointF(80, 48)})
        p.drawEllipse(c, 11, 10);
}

void Fruit(QPainter& p, const TTheme& t) {
    Outlined(p, QColor(0xC9, 0x3A, 0x22));
    p.drawEllipse(QPointF(42, 52), 22, 20);
    p.setPen(QPen(Ink, 2));
    p.drawLine(QPointF(42, 33), QPointF(45, 24));
    Leaf(p, QPointF(45, 27), 14, -20, t.Leaf);
    QPainterPath pear;
    pear.moveTo(84, 26);
    pear.cubicTo(74, 30, 78, 44, 70, 56);
    pear.cubicTo(62, 72, 106, 72, 98, 56);
    pear.cubicTo(90, 44, 94, 30, 84, 26);
    Outlined(p, QColor(0xB8, 0xC2, 0x44));
    p.drawPath(pear);
}

void Kruiden(QPainter& p, const TTheme& t) {
    TRng rng(7);
    Sprig(p, QPointF(40, 80), QPointF(34, 18), 8, 8, 13, t, rng);
    Sprig(p, QPointF(60, 80), QPointF(64, 14), -6, 9, 13, t, rng);
    Sprig(p, QPointF(80, 80), QPointF(92, 22), -10, 7, 12, t, rng);
    Daisy(p, QPointF(64, 14), 6, QColor(0xFC, 0xF6, 0xE6), QColor(0xE0, 0xA8, 0x2E));
}

void Thee(QPainter& p, const TTheme& t) {
    Outlined(p, QColor(0xF4, 0xEE, 0xDC));
    p.drawChord(QRectF(30, 24, 52, 54), 0, -180 * 16);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(76, 50, 14, 14));
    Outlined(p, QColor(0xC8, 0x8A, 0x3A));
    p.drawEllipse(QRectF(32, 46, 48, 8));
    Outlined(p, QColor(0xF4, 0xEE, 0xDC));
    p.drawEllipse(QRectF(22, 72, 68, 9));
    p.setPen(QPen(t.Rule, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double x : {46.0, 58.0}) {
        QPainterPath steam;
        steam.moveTo(x, 40);
        steam.cubicTo(x - 6, 32, x + 6, 26, x, 16);
        p.drawPath(steam);
    }
    Leaf(p, QPointF(92, 30), 16, 200, t.Leaf);
}

void Water(QPainter& p, const TTheme&) {
    QPainterPath glass;
    glass.moveTo(28, 22);
    glass.lineTo(64, 22);
    glass.lineTo(58, 78);
    glass.lineTo(34, 78);
    glass.closeSubpath();
    p.setPen(QPen(QColor(0x5E, 0x86, 0x9C), 1.4));
    p.setBrush(QColor(0xE6, 0xF0, 0xF2));
    p.drawPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8E, 0xBC, 0xD0));
    p.drawPolygon(QPolygonF({QPointF(31.5, 40), QPointF(60.5, 40), QPointF(58, 76), QPointF(34, 76)}));
    QPainterPath drop;
    drop.moveTo(88, 22);
    drop.cubicTo(96, 38, 102, 46, 102, 56);
    drop.cubicTo(102, 74, 74, 74, 74, 56);
    drop.cubicTo(74, 46, 80, 38, 88, 22);
    p.setPen(QPen(QColor(0x3E, 0x6E, 0x86), 1.2));
    p.setBrush(QColor(0x7C, 0xB0, 0xC8));
    p.drawPath(drop);
}

void Zon(QPainter& p, const TTheme&) {
    p.setPen(QPen(QColor(0xE0, 0x8A, 0x1A), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const double a = M_PI * i / 6;
        p.drawLine(QPointF(60 + 25 * std::cos(a), 45 + 25 * std::sin(a)),
                   QPointF(60 + 36 * std::cos(a), 45 + 36 * std::sin(a)));
    }
    Outlined(p, QColor(0xF5, 0xC0, 0x32));
    p.drawEllipse(QPointF(60, 45), 19, 19);
}

void Noten(QPainter& p, const TTheme& t) {
    const QColor shell(0xB0, 0x78, 0x3C);
    for (QPointF c : {QPointF(38, 54), QPointF(64, 44), QPointF(88, 58)}) {
        Outlined(p, shell);
        p.drawEllipse(c, 15, 13);
        p.setPen(QPen(shell.darker(140), 1));
        p.drawLine(c + QPointF(0, -12), c + QPointF(0, 12));
    }
    Leaf(p, QPointF(64, 31), 18, -80, t.Leaf);
}

void Vis(QPainter& p, const TTheme&) {
    QPainterPath body;
    body.moveTo(20, 45);
    body.cubicTo(38, 20, 76, 22, 88, 45);
    body.cubicTo(76, 68, 38, 70, 20, 45);
    QPainterPath tail;
    tail.moveTo(86, 45);
    tail.lineTo(104, 30);
    tail.lineTo(104, 60);
    tail.closeSubpath();
    Outlined(p, QColor(0x7C, 0x9E, 0xAE));
    p.drawPath(tail);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(34, 41), 2.4, 2.4);
    p.setPen(QPen(QColor(0x5C, 0x7E, 0x8E), 1));
    p.drawArc(QRectF(44, 30, 16, 30), 60 * 16, -120 * 16);
}

void Melk(QPainter& p, const TTheme& t) {
    QPainterPath bottle;
    bottle.moveTo(36, 16);
    bottle.lineTo(50, 16);
    bottle.lineTo(50, 28);
    bottle.lineTo(58, 40);
    bottle.lineTo(58, 80);
    bottle.lineTo(28, 80);
    bottle.lineTo(28, 40);
    bottle.lineTo(36, 28);
    bottle.closeSubpath();
    Outlined(p, QColor(0xFB, 0xF8, 0xEE));
    p.drawPath(bottle);
    p.setPen(Qt::NoPen);
    p.setBrush(t.Leaf);
    p.drawRect(QRectF(29, 50, 28, 10));
    Outlined(p, QColor(0xFB, 0xF8, 0xEE));
    p.drawPolygon(QPolygonF({QPointF(72, 40), QPointF(98, 40), QPointF(95, 80), QPointF(75, 80)}));
}

void Graan(QPainter& p, const TTheme&) {
    const QColor grain(0xD4, 0xA4, 0x3C);
    for (double x : {42.0, 60.0, 78.0}) {
        p.setPen(QPen(grain.darker(130), 1.6));
        p.drawLine(QPointF(x, 82), QPointF(x, 22));
        for (int i = 0; i < 5; ++i) {
            const double y = 26 + i * 8;
            Leaf(p, QPointF(x, y + 6), 10, -125, grain);
            Leaf(p, QPointF(x, y + 6), 10, -55, grain.lighter(110));
        }
    }
}

void Peulvruchten(QPainter& p, const TTheme& t) {
    QPainterPath pod;
    pod.moveTo(16, 50);
    pod.cubicTo(40, 20, 80, 20, 104, 36);
    pod.cubicTo(82, 50, 42, 62, 16, 50);
    Outlined(p, t.LeafLight);
    p.drawPath(pod);
    Outlined(p, QColor(0x8C, 0xB0, 0x3E));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(32 + i * 14, 42 - i * 1.2), 6, 6);
    const QColor bean(0x9A, 0x3A, 0x26);
    for (QPointF c : {QPointF(40, 72), QPointF(60, 76), QPointF(80, 70)}) {
        Outlined(p, bean);
        p.drawEllipse(c, 8, 5);
    }
}

// A cup of black coffee on its saucer, with two beans beside it.
void Koffie(QPainter& p, const TTheme& t) {
    Outlined(p, QColor(0xF4, 0xEE, 0xDC));
    p.drawChord(QRectF(24, 26, 50, 52), 0, -180 * 16);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(68, 50, 13, 13));
    Outlined(p, QColor(0x5A, 0x33, 0x18));
    p.drawEllipse(QRectF(26, 48, 46, 8));
    Outlined(p, QColor(0xF4, 0xEE, 0xDC));
    p.drawEllipse(QRectF(16, 72, 66, 9));
    p.setPen(QPen(t.Rule, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double x : {40.0, 54.0}) {
        QPainterPath steam;
        steam.moveTo(x, 42);
        steam.cubicTo(x - 6, 34, x + 6, 28, x, 18);
        p.drawPath(steam);
    }
    const QColor bean(0x6B, 0x3E, 0x1E);
    for (QPointF c : {QPointF(94, 66), QPointF(104, 56)}) {
        Outlined(p, bean);
        p.drawEllipse(c, 7, 5);
        p.setPen(QPen(bean.lighter(150), 1));
        p.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
    }
}

// A plate divided into five coloured parts, like the disc of the food guide.
void Schijf(QPainter& p, const TTheme& t) {
    const QRectF plate(30, 15, 60, 60);
    const std::array<QColor, 5> parts{QColor(0x7E, 0xA8, 0x3A), QColor(0xD4, 0xA4, 0x3C),
                                      QColor(0x9C, 0xC4, 0xD8), QColor(0xF0, 0xC8, 0x54),
                                      QColor(0xC9, 0x5A, 0x3A)};
    int start = 90 * 16;
    const std::array<int, 5> spans{108, 90, 72, 36, 54};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int span = spans[i] * 16;
        p.setPen(QPen(QColor(0xFB, 0xF8, 0xEE), 1.6));
        p.setBrush(parts[i]);
        p.drawPie(plate, start, span);
        start += span;
    }
    p.setPen(QPen(t.RuleDark, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(plate);
    Leaf(p, QPointF(92, 70), 14, -40, t.Leaf);
}

} // namespace

std::span<const std::string_view> TopicPictureNames() {
    return Names;
}

QImage PaintTopicPicture(std::string_view name, int density) {
    using Painter = void (*)(QPainter&, const TTheme&);
    constexpr std::array<Painter, 14> painters{Citrus, Groente, Fruit, Kruiden, Thee,         Water,  Zon,
                                               Noten,  Vis,     Melk,  Graan,   Peulvruchten, Koffie, Schijf};
    std::size_t index = 0;
    while (index < Names.size() && Names[index] != name)
        ++index;
    if (index == Names.size())
        return {};
    const TTheme& t = ThemeFor(TMode::Reading);
    QImage image = DensityImage(120, 90, density);
    image.fill(t.Paper);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        Card(p, QRectF(0.5, 0.5, 119, 89), t.PaperLight, t);
        painters[index](p, t);
    }
    ApplyPaperTexture(image, static_cast<std::uint32_t>(index + 1) * 977u, 30.0 * density, 1.5, 1.4);
    return image;
}

} // namespace orvalis::skins
