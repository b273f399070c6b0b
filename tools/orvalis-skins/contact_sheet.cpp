#include "orvalis-skins/contact_sheet.h"

#include "orvalis-skins/drawing.h"
#include "orvalis-skins/program_pictures.h"
#include "orvalis-skins/skin_painter.h"
#include "orvalis-skins/text_samples.h"
#include "orvalis-skins/topic_pictures.h"

#include <QFont>

#include <algorithm>
#include <string>
#include <vector>

namespace orvalis::skins {

namespace {

struct TPlaced {
    std::string_view Stem;
    int Left, Top; // design position in the 640x480 panel
};

struct TScreen {
    std::string_view Title;
    std::vector<TPlaced> Parts;
};

const std::vector<TScreen>& Screens() {
    static const std::vector<TScreen> screens{
        {"Hoofdmenu", {{"i_t", 0, 0}, {"i", 0, 50}}},
        {"Lezen", {{"m_t", 0, 0}, {"m_l1", 0, 50}, {"m_r", 219, 50}, {"m_b", 0, 430}}},
        {"Zoeken", {{"m_t", 0, 0}, {"m_l2", 0, 50}, {"m_r", 219, 50}, {"m_b2", 0, 430}}},
        {"Verwijzingen", {{"h_t", 0, 0}, {"h_l3", 0, 50}, {"h_r", 219, 50}, {"h_b", 0, 430}}},
        {"Orvakwis", {{"m_t", 0, 0}, {"q", 0, 50}, {"m_b2", 0, 430}}},
        {"BMI-test", {{"m_t", 0, 0}, {"t", 0, 50}, {"m_b2", 0, 430}}},
    };
    return screens;
}

QFont Font(std::string_view family, int pixelSize, bool bold) {
    QFont f(QString::fromUtf8(family.data(), static_cast<int>(family.size())));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The samples of one area, drawn in design coordinates; faced buttons get their face first.
void DrawSamples(QPainter& p, const TStem& stem) {
    const bool link = stem.Mode == TMode::Link;
    for (const TTextSample& s : TextSamples(stem)) {
        const QRectF r(s.Rect.Left, s.Rect.Top, s.Rect.Width, s.Rect.Height);
        if (s.Role == TTextRole::Face) {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRoundedRect(r.adjusted(2, 1, 0, 0), 2, 2);
            p.setPen(QPen(link ? design::LinkPen : design::ButtonPen, 2));
            p.setBrush(link ? design::LinkBrush : design::ButtonBrush);
            p.drawRoundedRect(r.adjusted(0, 0, -2, -1), 2, 2);
        }
        // Tahoma only for the bold page headings; the window title and its shadow are Arial.
        const bool heading = (s.Role == TTextRole::Heading || s.Role == TTextRole::Shadow) && s.Bold;
        p.setFont(Font(heading ? "Tahoma" : "Liberation Sans", s.PixelSize, s.Bold));
        p.setPen(s.Color);
        const int align = (s.Centered ? Qt::AlignHCenter : Qt::AlignLeft) |
                          (s.Rect.Height <= 22 ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextWordWrap;
        p.drawText(r, align, Q(s.Text));
    }
    if (stem.Name == "m_l2") {
        p.fillRect(QRectF(15, 43, 198, 18), Qt::white);
        p.setFont(Font("Liberation Sans", 11, false));
        p.setPen(Qt::black);
        p.drawText(QRectF(18, 43, 190, 18), Qt::AlignVCenter, "vitamine C");
    } else if (stem.Name == "t") {
        p.fillRect(QRectF(35, 165, 120, 20), Qt::white);
        p.fillRect(QRectF(35, 210, 120, 20), Qt::white);
        p.fillRect(QRectF(589, 40, 30, 300), QColor(0, 255, 0));
    } else if (stem.Name == "q") {
        p.setPen(QPen(Qt::gray, 1));
        p.setBrush(Qt::white);
        for (double y : {90.0, 130.0, 170.0})
            p.drawEllipse(QRectF(41, y + 1, 14, 14));
    }
}

} // namespace

QImage PaintContactSheet(const TVariant& variant) {
    const double f = double(variant.Num) / variant.Den;
    const int screenW = ScaledLength(640, variant), screenH = ScaledLength(480, variant);
    const int gap = 24, caption = 44;
    // The band below the screens holds the built-in pictures and the topic pictures, four to a row.
    const int topicRows = (static_cast<int>(TopicPictureNames().size()) + 3) / 4;
    const int extrasH = std::max(420, topicRows * (90 + 30) + gap);
    const int width = 2 * screenW + 3 * gap;
    const int height = 3 * (screenH + caption + gap) + gap + extrasH;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x60, 0x5A, 0x4C));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const auto& screens = Screens();
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const int x0 = gap + static_cast<int>(i % 2) * (screenW + gap);
        const int y0 = gap + static_cast<int>(i / 2) * (screenH + caption + gap);
        // The panel's own colour shows where no picture lies (the intro page has no button strip).
        p.fillRect(QRect(x0, y0, screenW, screenH), design::Window);
        QString names;
        for (const TPlaced& part : screens[i].Parts) {
            const TStem& stem = *FindStem(part.Stem);
            const QImage picture = PaintBackground(stem, variant);
            const QPoint at(x0 + ScaledLength(part.Left, variant), y0 + ScaledLength(part.Top, variant));
            p.drawImage(at, picture);
            p.save();
            p.translate(at);
            p.scale(f, f);
            DrawSamples(p, stem);
            p.restore();
            names += QString("%1%2 %3×%4 %5   ")
                         .arg(Q(stem.Name), Q(variant.Suffix))
                         .arg(picture.width())
                         .arg(picture.height())
                         .arg(Q(FormatName(stem.Format)).toUpper());
        }
        p.setPen(QColor(0xF8, 0xE4, 0xB2));
        p.setFont(Font("Liberation Sans", 15, true));
        p.drawText(QRect(x0, y0 + screenH + 4, screenW, 20), Qt::AlignLeft, Q(screens[i].Title));
        p.setFont(Font("Liberation Sans", 13, false));
        p.drawText(QRect(x0, y0 + screenH + 22, screenW, 20), Qt::AlignLeft, names);
    }

    // The pictures built into the program and the topic pictures, at their own size.
    int x = gap;
    const int y = 3 * (screenH + caption + gap) + gap;
    auto label = [&](int lx, int ly, const QString& text) {
        p.setPen(QColor(0xF8, 0xE4, 0xB2));
        p.setFont(Font("Liberation Sans", 13, false));
        p.drawText(QPoint(lx, ly), text);
    };
    const QImage splash = PaintSplash();
    p.drawImage(x, y, splash);
    p.setFont(Font("Liberation Sans", 9, false));
    p.setPen(Qt::white);
    p.drawText(QRect(x + 5, y + 255, 270, 12), Qt::AlignLeft | Qt::AlignVCenter,
               "Een ogenblik geduld, bezig met laden...");
    p.fillRect(QRect(x + 5, y + 270, 270, 4), QColor(0xC5, 0xD3, 0xD6));
    p.fillRect(QRect(x + 5, y + 270, 160, 4), Qt::white);
    label(x, y + 300, "splash.png 282×282");
    x += 282 + gap;
    p.fillRect(QRect(x, y, 329, 329), Qt::black);
    p.drawImage(x + 2, y + 2, PaintAbout());
    label(x, y + 350, "about.png 325×325");
    x += 329 + gap;
    const char* scrollNames[3] = {"scroll_up", "scroll_thumb", "scroll_down"};
    for (int i = 0; i < 3; ++i) {
        const QImage part = PaintScrollPart(static_cast<TScrollPart>(i));
        p.drawImage(x, y + i * 100, part);
        p.drawImage(QRect(x + 24, y + i * 100, 64, 64), part);
        label(x, y + i * 100 + 82, QString("%1.png 16×16").arg(scrollNames[i]));
    }
    x += 150;
    int column = 0;
    for (std::string_view name : TopicPictureNames()) {
        const int tx = x + (column % 4) * (120 + 12), ty = y + (column / 4) * (90 + 30);
        p.drawImage(tx, ty, PaintTopicPicture(name));
        label(tx, ty + 104, Q(name) + ".png");
        ++column;
    }
    return sheet;
}

} // namespace orvalis::skins
