#include "platform/label.h"
#include "platform/canvas.h"

namespace orvalis {

TLabel::TLabel(TWinControl* parent) : TGraphicControl(parent) {
    SetBounds(0, 0, 65, 17);
}

std::vector<std::string> TLabel::Lines(TCanvas& canvas) const {
    std::vector<std::string> paragraphs(1);
    for (size_t i = 0; i < FCaption.size(); ++i) {
        if (FCaption[i] == '\r' && i + 1 < FCaption.size() && FCaption[i + 1] == '\n') {
            paragraphs.emplace_back();
            ++i;
        } else {
            paragraphs.back() += FCaption[i];
        }
    }
    if (!FWordWrap)
        return paragraphs;
    std::vector<std::string> lines;
    for (const std::string& paragraph : paragraphs) {
        std::string line;
        size_t start = 0;
        while (start <= paragraph.size()) {
            size_t end = paragraph.find(' ', start);
            if (end == std::string::npos)
                end = paragraph.size();
            const std::string word = paragraph.substr(start, end - start);
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && canvas.TextWidth(candidate) > Width()) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            start = end + 1;
        }
        lines.push_back(line);
    }
    return lines;
}

void TLabel::Paint(TCanvas& canvas) {
    canvas.Font() = Font();
    if (!FTransparent) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(ClientRect());
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    int y = 0;
    for (const std::string& line : Lines(canvas)) {
        const TSize size = canvas.TextExtent(line.empty() ? std::string(" ") : line);
        const int width = line.empty() ? 0 : size.cx;
        const int x = FAlignment == TAlignment::taCenter         ? (Width() - width) / 2
                      : FAlignment == TAlignment::taRightJustify ? Width() - width
                                                                 : 0;
        if (!line.empty())
            canvas.TextRect(ClientRect(), x, y, line);
        y += size.cy;
    }
}

} // namespace orvalis
