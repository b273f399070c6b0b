// The markup renderer against QTextDocument, side by side on the same 65,535-byte topic:
//   orvalis-bench-render [RUNS]
// "render": laying out and painting the whole text into an image at the text width of the 1024x768 layout;
// "scroll paint": one painting pass over the visible part at an offset deep in the text;
// "render at ratio 2", "scroll paint at ratio 2": ours on an image of a screen that scales by 2 (twice the
// pixels each way, the same logical layout) against ours at ratio 1.
#include "controls/markup_layout.h"
#include "platform/font.h"
#include "platform/qt_canvas.h"
#include "synthetic_db.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The text area of the 1024x768 layout: the 400-pixel design width scaled by 1.6, less a scroll bar.
constexpr int TextWidth = 640 - 16;
constexpr int ViewHeight = 496;

double TimeMs(const std::function<void()>& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void Figure(const char* name, int runs, const std::function<void()>& ours,
            const std::function<void()>& baseline, const char* baselineName = "QTextDocument") {
    std::vector<double> a, b;
    ours();
    baseline();
    for (int i = 0; i < runs; ++i) {
        a.push_back(TimeMs(ours));
        b.push_back(TimeMs(baseline));
    }
    const double x = Median(a), y = Median(b);
    std::printf("%s: ours %.2f ms, %s %.2f ms, ratio %.2f\n", name, x, baselineName, y, x / y);
    std::fflush(stdout);
}

std::string HtmlEscaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

// The same text as HTML: the tags the generator writes map one to one, line breaks become <br>.
QString ToHtml(const std::string& markup, int basePoints) {
    std::string html = "<html><body>";
    for (size_t i = 0; i < markup.size(); ++i) {
        const std::string_view rest = std::string_view(markup).substr(i);
        auto take = [&](std::string_view from, std::string_view to) {
            if (!rest.starts_with(from))
                return false;
            html += to;
            i += from.size() - 1;
            return true;
        };
        if (take("\r\n", "<br>") || take("<B>", "<b>") || take("</B>", "</b>") || take("<I>", "<i>") ||
            take("</I>", "</i>") || take("</A>", "</a>") ||
            take("<FONT SIZE=+2>", "<span style=\"font-size:" + std::to_string(basePoints + 2) + "pt\">") ||
            take("</FONT SIZE=-2>", "</span>"))
            continue;
        if (rest.starts_with("<A HREF=\"")) {
            const size_t close = rest.find("\">");
            html += "<a href=\"" + HtmlEscaped(rest.substr(9, close - 9)) + "\">";
            i += close + 1;
            continue;
        }
        if (markup[i] == '<')
            html += "&lt;";
        else
            html.push_back(markup[i]);
    }
    html += "</body></html>";
    return QString::fromLatin1(html.data(), static_cast<qsizetype>(html.size()));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::string text = orvalis::bench::MakeSyntheticTopic(65535, 7);

    orvalis::TFont font;
    font.SetName("Arial");
    font.SetSize(10);
    orvalis::TFont linkFont = font;
    linkFont.SetStyle(orvalis::TFontStyle::fsUnderline);
    orvalis::TMarkupContext context;
    context.Width = TextWidth;
    context.Font = &font;
    context.HyperLinkFont = &linkFont;
    orvalis::TMarkupLayout layout;
    orvalis::TPointerChain links("HyperLinks");

    QFont qfont("Liberation Sans");
    qfont.setPointSize(10);
    QTextDocument document;
    document.setDefaultFont(qfont);
    document.setDocumentMargin(2);
    const QString html = ToHtml(text, 10);

    // The first render in the process, when our words are measured and shaped for the first time. The
    // document goes first and fills the font engine's glyph cache that both sides draw from; each of its
    // renders starts from a fresh document, so it has no cache of its own to warm.
    {
        QImage first(TextWidth, 20000, QImage::Format_RGB32);
        const double theirs = TimeMs([&] {
            QTextDocument doc;
            doc.setDefaultFont(qfont);
            doc.setDocumentMargin(2);
            doc.setHtml(html);
            doc.setTextWidth(TextWidth);
            QPainter painter(&first);
            doc.drawContents(&painter);
        });
        const double ours = TimeMs([&] {
            orvalis::QtCanvas canvas(&first);
            int x = 0, y = 0;
            layout.Run(text, canvas, orvalis::TMarkupPass::Measure, context, x, y, links);
            layout.Run(text, canvas, orvalis::TMarkupPass::Paint, context, x, y, links);
        });
        std::printf("render, first in the process: ours %.2f ms, QTextDocument %.2f ms, ratio %.2f\n", ours,
                    theirs, ours / theirs);
    }

    // Full-height images, sized once by a first layout of each side.
    int xMax = 0, yMax = 0;
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        orvalis::QtCanvas canvas(&probe);
        layout.Run(text, canvas, orvalis::TMarkupPass::Measure, context, xMax, yMax, links);
    }
    QImage ours(TextWidth, yMax, QImage::Format_RGB32);
    document.setHtml(html);
    document.setTextWidth(TextWidth);
    const int docHeight = static_cast<int>(document.size().height());
    QImage theirs(TextWidth, docHeight, QImage::Format_RGB32);
    std::printf("  text %zu bytes; ours %d px high, %d links; QTextDocument %d px high\n", text.size(), yMax,
                links.Count(), docHeight);

    // Our whole render into an image, and one painting pass over the view at the offset.
    auto render = [&](QImage& image) {
        return [&, target = &image] {
            target->fill(Qt::white);
            orvalis::QtCanvas canvas(target);
            int x = 0, y = 0;
            layout.Invalidate();
            layout.Run(text, canvas, orvalis::TMarkupPass::Measure, context, x, y, links);
            layout.Run(text, canvas, orvalis::TMarkupPass::Paint, context, x, y, links);
        };
    };
    const int offset = std::max(0, std::min(yMax, docHeight) * 3 / 4);
    auto scrollPaint = [&](QImage& image) {
        return [&, target = &image] {
            target->fill(Qt::white);
            QPainter painter(target);
            painter.translate(0, -offset);
            orvalis::QtCanvas canvas(&painter);
            const orvalis::TRect visible{0, offset, TextWidth, offset + ViewHeight};
            layout.Run(text, canvas, orvalis::TMarkupPass::Paint, context, xMax, yMax, links, &visible);
        };
    };

    Figure("render", runs, render(ours), [&] {
        theirs.fill(Qt::white);
        QTextDocument doc;
        doc.setDefaultFont(qfont);
        doc.setDocumentMargin(2);
        doc.setHtml(html);
        doc.setTextWidth(TextWidth);
        QPainter painter(&theirs);
        doc.drawContents(&painter);
    });

    // Where our time goes: filling the image (both sides pay it), the measuring pass, the painting pass.
    {
        std::vector<double> fill, measure, paint;
        for (int i = 0; i < runs; ++i) {
            fill.push_back(TimeMs([&] { ours.fill(Qt::white); }));
            orvalis::QtCanvas canvas(&ours);
            int x = 0, y = 0;
            layout.Invalidate();
            measure.push_back(TimeMs(
                [&] { layout.Run(text, canvas, orvalis::TMarkupPass::Measure, context, x, y, links); }));
            // Words wait in the canvas until it ends its drawing; that belongs to the painting pass.
            paint.push_back(TimeMs([&] {
                layout.Run(text, canvas, orvalis::TMarkupPass::Paint, context, x, y, links);
                canvas.Release();
            }));
        }
        std::printf("  ours: fill %.2f ms, measuring pass %.2f ms, painting pass %.2f ms\n", Median(fill),
                    Median(measure), Median(paint));
    }

    // Deep in the text: the kept layout and the document both draw only what shows.
    QImage view(TextWidth, ViewHeight, QImage::Format_RGB32);
    Figure("scroll paint", runs, scrollPaint(view), [&] {
        view.fill(Qt::white);
        QPainter painter(&view);
        painter.translate(0, -offset);
        document.drawContents(&painter, QRectF(0, offset, TextWidth, ViewHeight));
    });

    // On a screen that scales by 2: the same layout, drawn into images with twice the pixels each way, as
    // the window's backing store is there.
    auto scaledImage = [](int width, int height, double ratio) {
        QImage image(int(width * ratio), int(height * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        return image;
    };
    QImage doubled = scaledImage(TextWidth, yMax, 2.0);
    Figure("render at ratio 2", runs, render(doubled), render(ours), "at ratio 1");
    QImage doubledView = scaledImage(TextWidth, ViewHeight, 2.0);
    Figure("scroll paint at ratio 2", runs, scrollPaint(doubledView), scrollPaint(view), "at ratio 1");
    orvalis::ClearHyperLinks(links);
    return 0;
}
