// Colours and the drawing pieces every skin picture is made of: paper texture, ribbons, plates,
// slots and leaves. Everything that varies is drawn from fixed seeds, so pictures are reproducible.
#pragma once

#include "orvalis-skins/skin_table.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>

#include <cstdint>

namespace orvalis::skins {

// The program's design colours.
namespace design {
inline const QColor Window{0xEA, 0xD2, 0x91};
inline const QColor Title{0x6D, 0x3A, 0x0D};
inline const QColor TitleShadow{0xA9, 0x9D, 0x60};
inline const QColor Header{0xE6, 0x49, 0x0E};
inline const QColor HeaderShadow{0x85, 0x70, 0x01};
inline const QColor ButtonBrush{0xF8, 0xE4, 0xB2};
inline const QColor ButtonPen{0xEA, 0xD2, 0x91};
inline const QColor LinkBrush{0xCB, 0xD2, 0xB8};
inline const QColor LinkPen{0x57, 0x7F, 0x00};
} // namespace design

// The tones one mode is painted in: reading mode in warm straw, link mode in sage.
struct TTheme {
    QColor PaperLight; // cards that carry body text
    QColor Paper;      // the general ground
    QColor PaperDeep;  // bands that carry faced buttons
    QColor Ribbon;     // behind headings, light enough for the orange titles
    QColor Rule;       // hairlines
    QColor RuleDark;   // strong rules and icon outlines
    QColor Leaf;       // botanical ornaments
    QColor LeafLight;
};

const TTheme& ThemeFor(TMode mode);

// A small deterministic generator (splitmix64).
class TRng {
public:
    explicit TRng(std::uint64_t salt) : FState(salt) {}
    std::uint64_t Next();
    double Uniform(double lo, double hi);

private:
    std::uint64_t FState;
};

// Modulates every pixel with fine grain and a soft mottle of cells `cell` pixels wide: a paper look.
// An opaque picture of the logical size drawn at the density (device pixels per logical one): painters on
// it work in logical coordinates.
QImage DensityImage(int width, int height, int density);

void ApplyPaperTexture(QImage& image, std::uint32_t salt, double cell, double mottle, double grain);

void FillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom);
void Ribbon(QPainter& p, const QRectF& r, const TTheme& theme);
void Plate(QPainter& p, const QRectF& r, const TTheme& theme, double radius = 4);
void Card(QPainter& p, const QRectF& r, const QColor& fill, const TTheme& theme);
void Slot(QPainter& p, const QRectF& r, const TTheme& theme);
// A leaf with its base at `base`, pointing at `angleDeg` (0 = right, 90 = down).
void Leaf(QPainter& p, QPointF base, double length, double angleDeg, const QColor& color);
// A curved stem from `from` to `to` bending by `bend`, with `leaves` leaves alternating along it.
void Sprig(QPainter& p, QPointF from, QPointF to, double bend, int leaves, double leafLength,
           const TTheme& theme, TRng& rng);
void Daisy(QPainter& p, QPointF center, double radius, const QColor& petals, const QColor& heart);

} // namespace orvalis::skins
