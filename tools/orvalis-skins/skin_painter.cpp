#include "orvalis-skins/skin_painter.h"

#include "orvalis-skins/drawing.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace orvalis::skins {

namespace {

std::uint32_t SeedOf(const TStem& stem) {
    std::uint32_t h = 2166136261u;
    for (char c : stem.Name)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// The small square window buttons of the header (help, minimise, quit) and the info medallion.
void HeaderButtons(QPainter& p, const TTheme& t) {
    p.setPen(QPen(t.RuleDark, 1.2));
    p.setBrush(design::ButtonBrush);
    p.drawEllipse(QPointF(27.5, 20.5), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(design::Title);
    p.drawEllipse(QPointF(27.5, 14.8), 1.7, 1.7);
    p.drawRoundedRect(QRectF(26, 17.8, 3, 8.5), 1, 1);

    const double lefts[3] = {558, 579, 600};
    for (double x : lefts) {
        p.setPen(QPen(t.RuleDark, 1.1));
        p.setBrush(design::ButtonBrush);
        p.drawRoundedRect(QRectF(x + 0.5, 12.5, 17, 17), 3, 3);
    }
    QPen ink(design::Title, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    p.setBrush(Qt::NoBrush);
    QPainterPath question;
    question.moveTo(563.5, 18.2);
    question.cubicTo(563.5, 14.5, 570.5, 14.5, 570.5, 18.2);
    question.cubicTo(570.5, 20.5, 567, 20.5, 567, 23.3);
    p.drawPath(question);
    p.setPen(Qt::NoPen);
    p.setBrush(design::Title);
    p.drawEllipse(QPointF(567, 26.2), 1.1, 1.1);
    p.setPen(ink);
    p.drawLine(QPointF(584, 25), QPointF(592, 25));
    p.drawLine(QPointF(605, 17), QPointF(613, 25));
    p.drawLine(QPointF(613, 17), QPointF(605, 25));
}

void PaintHeader(QPainter& p, const TStem& stem, const TTheme& t, TRng& rng) {
    FillVertical(p, QRectF(0, 0, 640, 50), t.Ribbon, t.PaperDeep);
    p.setPen(QPen(t.Rule, 2));
    p.drawLine(QPointF(0, 46), QPointF(640, 46));
    p.setPen(QPen(t.RuleDark, 1));
    p.drawLine(QPointF(0, 48.5), QPointF(640, 48.5));
    // The cartouche that carries the title and the subtitle.
    QColor fill = t.Ribbon;
    fill.setAlpha(220);
    p.setPen(QPen(t.Rule, 0.8));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(88, 3, 464, 39), 8, 8);
    HeaderButtons(p, t);
    if (stem.Name == "i_t") {
        Sprig(p, QPointF(100, 30), QPointF(185, 14), 6, 7, 9, t, rng);
        Sprig(p, QPointF(540, 30), QPointF(455, 14), -6, 7, 9, t, rng);
        Daisy(p, QPointF(188, 13), 4.5, QColor(0xFB, 0xF5, 0xE4), QColor(0xE0, 0xA8, 0x2E));
        Daisy(p, QPointF(452, 13), 4.5, QColor(0xFB, 0xF5, 0xE4), QColor(0xE0, 0xA8, 0x2E));
    } else {
        // Quieter fleurons: a leaf pair at each end of the cartouche.
        for (double x : {120.0, 520.0}) {
            Leaf(p, QPointF(x, 22), 14, x < 320 ? 190 : -10, t.Leaf);
            Leaf(p, QPointF(x, 22), 14, x < 320 ? -10 : 190, t.LeafLight);
            p.setPen(Qt::NoPen);
            p.setBrush(t.RuleDark);
            p.drawEllipse(QPointF(x, 22), 1.6, 1.6);
        }
    }
}

void PaintButtonStrip(QPainter& p, const TStem& stem, const TTheme& t, TRng& rng) {
    FillVertical(p, QRectF(0, 0, 640, 50), t.PaperDeep, t.Paper);
    p.setPen(QPen(t.RuleDark, 1));
    p.drawLine(QPointF(0, 1.5), QPointF(640, 1.5));
    p.setPen(QPen(t.Rule, 2));
    p.drawLine(QPointF(0, 4), QPointF(640, 4));
    struct Btn {
        double Left, Width;
    };
    std::vector<Btn> buttons;
    if (stem.Name == "m_b")
        buttons = {{14, 60}, {91, 144}, {251, 144}, {412, 61}, {562, 63}};
    else
        buttons = {{562, 63}};
    for (const Btn& b : buttons)
        Plate(p, QRectF(b.Left - 4, 18.5, b.Width + 8, 23), t, 5);
    if (buttons.size() == 1) {
        // No section buttons in this mode: a calm vine runs where they would stand.
        Sprig(p, QPointF(24, 31), QPointF(300, 29), 4, 16, 9, t, rng);
        Sprig(p, QPointF(530, 31), QPointF(310, 29), -4, 14, 9, t, rng);
    } else {
        for (double x : {83.0, 243.0, 403.5, 517.0})
            Leaf(p, QPointF(x - 4, 30), 8, 0, t.LeafLight);
    }
}

void PaintLeftColumn(QPainter& p, const TStem& stem, const TTheme& t, TRng& rng) {
    p.fillRect(QRectF(0, 0, 219, 380), t.Paper);
    FillVertical(p, QRectF(0, 0, 219, 380), t.Paper, t.Paper.darker(103));
    Ribbon(p, QRectF(9, 0, 206, 24), t);
    if (stem.Name == "m_l1") {
        Card(p, QRectF(11, 26, 204, 266), t.PaperLight, t);
    } else if (stem.Name == "m_l2") {
        Slot(p, QRectF(13, 41, 202, 22), t);
        Card(p, QRectF(11, 130, 204, 200), t.PaperLight, t);
    } else {
        Ribbon(p, QRectF(11, 27, 204, 27), t);
        Card(p, QRectF(11, 55, 204, 136), t.PaperLight, t);
        Ribbon(p, QRectF(11, 192, 204, 27), t);
        Card(p, QRectF(11, 220, 204, 136), t.PaperLight, t);
    }
    Sprig(p, QPointF(60, 373), QPointF(160, 373), -3, 8, 6, t, rng);
    // The divider towards the right column, continued by the right column's left edge.
    p.setPen(QPen(t.Rule, 1));
    p.drawLine(QPointF(217.5, 8), QPointF(217.5, 372));
}

void PaintMainRight(QPainter& p, const TStem&, const TTheme& t, TRng&) {
    p.fillRect(QRectF(0, 0, 421, 380), t.Paper);
    Ribbon(p, QRectF(7, 0, 408, 24), t);
    p.setPen(QPen(t.Rule, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7.5, 25.5, 406, 318), 5, 5);
    // The band under the text carries the faced buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(t.PaperDeep);
    p.drawRoundedRect(QRectF(6, 356, 409, 28), 5, 5);
    p.setPen(QPen(t.Rule, 1));
    p.drawLine(QPointF(12, 356.5), QPointF(409, 356.5));
}

void PaintIntro(QPainter& p, const TStem&, const TTheme& t, TRng& rng) {
    QRadialGradient glow(QPointF(300, 160), 420);
    glow.setColorAt(0, t.Paper.lighter(103));
    glow.setColorAt(1, t.Paper.darker(104));
    p.fillRect(QRectF(0, 0, 640, 380), glow);
    for (double top : {30.0, 93.0, 155.0, 223.0}) {
        Plate(p, QRectF(18, top - 4, 160, 26), t, 6);
        Leaf(p, QPointF(4, top + 9), 11, 0, t.Leaf);
    }
    // The botanical motif under the menu: a herb stem with leaves and flowers.
    Sprig(p, QPointF(40, 378), QPointF(150, 262), 30, 11, 16, t, rng);
    Sprig(p, QPointF(70, 378), QPointF(30, 292), -18, 6, 12, t, rng);
    Sprig(p, QPointF(110, 378), QPointF(185, 318), -12, 5, 11, t, rng);
    const QColor petals(0xFC, 0xF6, 0xE6), heart(0xE0, 0xA8, 0x2E);
    Daisy(p, QPointF(152, 258), 11, petals, heart);
    Daisy(p, QPointF(28, 288), 8, petals, heart);
    Daisy(p, QPointF(187, 314), 7, petals, heart);
    Card(p, QRectF(202, 20, 416, 356), t.PaperLight, t);
    // A faint leaf in the corner of the hint card, well under the text's contrast.
    QColor ghost = t.Leaf;
    ghost.setAlpha(16);
    Leaf(p, QPointF(600, 360), 120, -140, ghost);
}

void PaintQuiz(QPainter& p, const TStem&, const TTheme& t, TRng& rng) {
    p.fillRect(QRectF(0, 0, 640, 380), t.Paper);
    Ribbon(p, QRectF(10, 0, 620, 24), t);
    Card(p, QRectF(28, 28, 584, 168), t.PaperLight, t);
    Card(p, QRectF(28, 198, 584, 104), t.Ribbon, t);
    p.setPen(Qt::NoPen);
    p.setBrush(t.PaperDeep);
    p.drawRoundedRect(QRectF(28, 305, 584, 28), 5, 5);
    Sprig(p, QPointF(120, 356), QPointF(318, 352), -6, 12, 10, t, rng);
    Sprig(p, QPointF(520, 356), QPointF(322, 352), 6, 12, 10, t, rng);
    Daisy(p, QPointF(320, 352), 6, QColor(0xFC, 0xF6, 0xE6), QColor(0xE0, 0xA8, 0x2E));
}

void PaintBmi(QPainter& p, const TStem&, const TTheme& t, TRng& rng) {
    p.fillRect(QRectF(0, 0, 640, 380), t.Paper);
    Ribbon(p, QRectF(10, 0, 620, 24), t);
    Card(p, QRectF(25, 30, 140, 256), t.PaperLight, t);
    Slot(p, QRectF(33, 163, 124, 24), t);
    Slot(p, QRectF(33, 208, 124, 24), t);
    p.setPen(Qt::NoPen);
    p.setBrush(t.PaperDeep);
    p.drawRoundedRect(QRectF(29, 250, 132, 28), 4, 4);
    Card(p, QRectF(172, 30, 408, 316), t.PaperLight, t);
    Slot(p, QRectF(585, 36, 38, 308), t);
    Sprig(p, QPointF(40, 372), QPointF(150, 300), 18, 8, 12, t, rng);
    Daisy(p, QPointF(152, 298), 7, QColor(0xFC, 0xF6, 0xE6), QColor(0xE0, 0xA8, 0x2E));
}

} // namespace

QImage PaintBackground(const TStem& stem, const TVariant& variant, int density) {
    const TSize size = ScaledSize(stem.Design, variant);
    QImage image = DensityImage(size.Width, size.Height, density);
    const TTheme& theme = ThemeFor(stem.Mode);
    image.fill(theme.Paper);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(double(variant.Num) / variant.Den, double(variant.Num) / variant.Den);
        TRng rng(SeedOf(stem));
        switch (stem.Area) {
        case TArea::Header:
            PaintHeader(p, stem, theme, rng);
            break;
        case TArea::ButtonStrip:
            PaintButtonStrip(p, stem, theme, rng);
            break;
        case TArea::LeftColumn:
            PaintLeftColumn(p, stem, theme, rng);
            break;
        case TArea::MainRight:
            PaintMainRight(p, stem, theme, rng);
            break;
        case TArea::IntroPage:
            PaintIntro(p, stem, theme, rng);
            break;
        case TArea::QuizPage:
            PaintQuiz(p, stem, theme, rng);
            break;
        case TArea::BmiPage:
            PaintBmi(p, stem, theme, rng);
            break;
        }
    }
    const double scale = double(variant.Num) / variant.Den;
    ApplyPaperTexture(image, SeedOf(stem), 38 * scale * density, 3.0, 2.2);
    return image;
}

} // namespace orvalis::skins
