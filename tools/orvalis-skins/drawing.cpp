#include "orvalis-skins/drawing.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvalis::skins {

namespace {

std::uint32_t Hash(std::int64_t x, std::int64_t y, std::uint32_t salt) {
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                      static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full ^ salt;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h);
}

double Unit(std::uint32_t h) {
    return (h & 0xFFFFFF) / double(0xFFFFFF) * 2.0 - 1.0;
}

double ValueNoise(double x, double y, std::uint32_t salt) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = Unit(Hash(ix, iy, salt)), b = Unit(Hash(ix + 1, iy, salt));
    const double c = Unit(Hash(ix, iy + 1, salt)), d = Unit(Hash(ix + 1, iy + 1, salt));
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

int Clamp255(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

} // namespace

const TTheme& ThemeFor(TMode mode) {
    static const TTheme reading{QColor(0xF7, 0xEB, 0xCB), QColor(0xEE, 0xDB, 0xA2), QColor(0xDF, 0xC3, 0x7E),
                                QColor(0xFB, 0xF1, 0xD6), design::TitleShadow,      design::HeaderShadow,
                                QColor(0x6E, 0x7F, 0x1E), QColor(0x9C, 0xA8, 0x52)};
    static const TTheme link{QColor(0xEE, 0xF1, 0xE5), QColor(0xDD, 0xE3, 0xCD), QColor(0xBC, 0xC6, 0xA3),
                             QColor(0xF5, 0xF7, 0xEF), QColor(0x9A, 0xA8, 0x7C), design::LinkPen,
                             QColor(0x57, 0x7F, 0x00), QColor(0x8F, 0xA8, 0x4E)};
    return mode == TMode::Link ? link : reading;
}

std::uint64_t TRng::Next() {
    std::uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double TRng::Uniform(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(Next() >> 11) * 0x1.0p-53);
}

QImage DensityImage(int width, int height, int density) {
    QImage image(width * density, height * density, QImage::Format_RGB32);
    image.setDevicePixelRatio(density);
    // Painters that cover the whole picture still leave their edge pixels to chance under anti-aliasing.
    image.fill(Qt::white);
    return image;
}

void ApplyPaperTexture(QImage& image, std::uint32_t salt, double cell, double mottle, double grain) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double soft = ValueNoise(x / cell, y / cell, salt) * 0.7 +
                                ValueNoise(x / (cell * 0.31), y / (cell * 0.31), salt + 7) * 0.3;
            // Fibres: grain stretched along x reads as laid paper rather than noise.
            const double fibre = ValueNoise(x / 9.0, y / 1.3, salt + 13);
            const double d = soft * mottle + (Unit(Hash(x, y, salt + 29)) * 0.6 + fibre * 0.4) * grain;
            const QRgb c = line[x];
            line[x] = qRgba(Clamp255(qRed(c) + d), Clamp255(qGreen(c) + d), Clamp255(qBlue(c) + d * 0.8),
                            qAlpha(c));
        }
    }
}

void FillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void Ribbon(QPainter& p, const QRectF& r, const TTheme& theme) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(theme.Ribbon);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(theme.Rule, 1));
    p.drawLine(QPointF(r.left() + 6, r.bottom() - 0.5), QPointF(r.right() - 6, r.bottom() - 0.5));
    p.restore();
}

void Plate(QPainter& p, const QRectF& r, const TTheme& theme, double radius) {
    p.save();
    p.setPen(QPen(theme.Rule, 0.8));
    p.setBrush(theme.Ribbon);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void Card(QPainter& p, const QRectF& r, const QColor& fill, const TTheme& theme) {
    p.save();
    p.setPen(QPen(theme.Rule, 0.8));
    p.setBrush(fill);
    p.drawRoundedRect(r, 5, 5);
    p.setBrush(Qt::NoBrush);
    QColor inner = theme.Rule;
    inner.setAlpha(90);
    p.setPen(QPen(inner, 0.6));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 3.5, 3.5);
    p.restore();
}

void Slot(QPainter& p, const QRectF& r, const TTheme& theme) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(theme.PaperDeep);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(theme.RuleDark, 0.8));
    p.drawLine(r.topLeft() + QPointF(1, 0.5), r.topRight() + QPointF(-1, 0.5));
    p.restore();
}

void Leaf(QPainter& p, QPointF base, double length, double angleDeg, const QColor& color) {
    p.save();
    p.translate(base);
    p.rotate(angleDeg);
    QPainterPath path;
    path.moveTo(0, 0);
    path.quadTo(length * 0.45, -length * 0.32, length, 0);
    path.quadTo(length * 0.45, length * 0.32, 0, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.setPen(QPen(color.lighter(135), std::max(0.4, length * 0.05)));
    p.drawLine(QPointF(length * 0.08, 0), QPointF(length * 0.85, 0));
    p.restore();
}

void Sprig(QPainter& p, QPointF from, QPointF to, double bend, int leaves, double leafLength,
           const TTheme& theme, TRng& rng) {
    const QPointF mid = (from + to) / 2;
    const QPointF dir = to - from;
    const double len = std::hypot(dir.x(), dir.y());
    const QPointF normal(-dir.y() / len, dir.x() / len);
    const QPointF control = mid + normal * bend;
    QPainterPath stem;
    stem.moveTo(from);
    stem.quadTo(control, to);
    p.save();
    p.setPen(QPen(theme.Leaf, std::max(0.6, leafLength * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    for (int i = 0; i < leaves; ++i) {
        const double t = (i + 1.0) / (leaves + 1.0);
        const QPointF at = stem.pointAtPercent(t);
        const double tangent = -stem.angleAtPercent(t); // Qt counts angles anticlockwise
        const double side = (i % 2 == 0) ? -48 : 48;
        const QColor color = (i % 3 == 1) ? theme.LeafLight : theme.Leaf;
        Leaf(p, at, leafLength * rng.Uniform(0.8, 1.1) * (1.0 - 0.35 * t), tangent + side, color);
    }
    Leaf(p, to, leafLength * 0.7, -stem.angleAtPercent(1.0), theme.Leaf);
    p.restore();
}

void Daisy(QPainter& p, QPointF center, double radius, const QColor& petals, const QColor& heart) {
    p.save();
    p.translate(center);
    p.setPen(QPen(petals.darker(115), 0.4));
    p.setBrush(petals);
    for (int i = 0; i < 10; ++i) {
        p.save();
        p.rotate(i * 36.0);
        p.drawEllipse(QRectF(radius * 0.2, -radius * 0.18, radius * 0.8, radius * 0.36));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(heart);
    p.drawEllipse(QPointF(0, 0), radius * 0.3, radius * 0.3);
    p.restore();
}

} // namespace orvalis::skins
