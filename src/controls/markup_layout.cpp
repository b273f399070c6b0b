#include "controls/markup_layout.h"

#include "content/markup_tags.h"
#include "content/short_string.h"
#include "controls/rounding.h"
#include "platform/canvas.h"
#include "platform/graphic.h"

#include <algorithm>
#include <charconv>

namespace orvalis {

namespace {

// Size tags are not clamped by the markup, but an absurd point size would make the font engine build
// enormous glyphs; sizes stay within what a screen can show. A font given by its cell height has a
// negative point size, which size tags change like any other.
constexpr int MaxPointSize = 400;

// A "SIZE=" value: "+n" or "-n" changes the size by n (0 when n does not parse); anything else changes
// nothing.
int SizeChange(std::string_view value) {
    if (value.empty() || (value[0] != '+' && value[0] != '-'))
        return 0;
    int n = 0;
    const std::string_view digits = value.substr(1);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size())
        n = 0;
    return value[0] == '+' ? n : -n;
}

void SetStyle(TFont& font, TFontStyle style, bool on) {
    font.SetStyle(font.Style().Set(style, on));
}

// Marks that close what comes before them and so never begin a line after a tag.
bool IsGluedPunctuation(char c) {
    return std::string_view(",.;:!?)'\"").find(c) != std::string_view::npos;
}

int StyleCounter(const TFont& font, TFontStyle style) {
    return font.Style().Has(style) ? 1 : 0;
}

// A size tag's change at the text size, rounded alike both ways so that a closing tag still undoes it.
int ZoomedSizeChange(int change, int zoom) {
    if (zoom == 100 || change == 0)
        return change;
    return RoundHalfEven(change * (zoom / 100.0));
}

} // namespace

int StepTextZoom(int percent, int steps) {
    constexpr int count = static_cast<int>(std::size(TextZoomSteps));
    int at = 0;
    while (at + 1 < count && TextZoomSteps[at + 1] <= percent)
        ++at;
    return TextZoomSteps[std::clamp(at + steps, 0, count - 1)];
}

TFont ZoomedFont(const TFont& font, int percent) {
    TFont zoomed = font;
    if (percent == 100)
        return zoomed;
    const int height = std::max(1, RoundHalfEven(font.PixelSize() * (percent / 100.0)));
    zoomed.SetHeight(font.Height() < 0 ? -height : height);
    return zoomed;
}

void ClearHyperLinks(TPointerChain& links) {
    for (int32_t pos = links.Count(); pos >= 1; --pos) {
        delete static_cast<THyperLinkArea*>(links.Get(pos));
        links.Put(pos, nullptr);
        links.Delete(pos);
    }
}

// One drawn thing of a laid-out text, in text order (and so in order of y).
struct TMarkupLayout::TItem {
    int X = 0;
    int Y = 0;
    int Height = 0;         // how far it reaches below Y
    int FontIndex = -1;     // words: index into the kept fonts
    uint32_t TextStart = 0; // words: their characters in the kept Chars
    uint32_t TextLength = 0;
    uint32_t Source = 0;               // words: the offset of their first character in the text
    int Width = 0;                     // words: as measured
    const TGraphic* Graphic = nullptr; // pictures
    bool Draw = true;                  // pictures with an unknown ALIGN= are selected but not drawn
    uint32_t VisibleStart = 0;         // words: where they begin in the visible text
};

struct TMarkupLayout::TKept {
    // What the layout depends on.
    std::string Text;
    int Width = 0;
    TFont Font, LinkFont;
    const TPalette* Palette = nullptr;
    int Zoom = 100;
    // What it produced.
    std::vector<TFont> Fonts;
    std::vector<TItem> Items;
    std::string Chars; // the words' characters, one after another
    std::vector<THyperLinkArea> Links;
    int EndY = 0;
    int LineHeight = 0;
    int TallestItem = 0;
};

TMarkupLayout::TMarkupLayout() = default;
TMarkupLayout::~TMarkupLayout() = default;

void TMarkupLayout::Invalidate() {
    FKept.reset();
}

std::vector<TMarkupWord> TMarkupLayout::Words() const {
    std::vector<TMarkupWord> words;
    if (FKept == nullptr)
        return words;
    words.reserve(FKept->Items.size());
    for (const TItem& item : FKept->Items) {
        if (item.Graphic != nullptr)
            continue;
        words.push_back({TRect{item.X, item.Y, item.X + item.Width, item.Y + item.Height},
                         std::string_view(FKept->Chars).substr(item.TextStart, item.TextLength), item.Source,
                         &FKept->Fonts[static_cast<size_t>(item.FontIndex)]});
    }
    return words;
}

bool TMarkupLayout::Cached(std::string_view text, const TMarkupContext& c) const {
    return FKept != nullptr && FKept->Width == c.Width && FKept->Text == text &&
           FKept->Font.SameValue(*c.Font) && FKept->LinkFont.SameValue(*c.HyperLinkFont) &&
           FKept->Palette == c.Palette && FKept->Zoom == c.Zoom;
}

void TMarkupLayout::Run(std::string_view text, TCanvas& canvas, TMarkupPass pass,
                        const TMarkupContext& context, int& xMax, int& yMax, TPointerChain& hyperLinks,
                        const TRect* visible) {
    int endY = 0;
    int lineHeight = 0;
    if (pass == TMarkupPass::Paint && Cached(text, context)) {
        Replay(canvas, context, hyperLinks, visible);
        endY = FKept->EndY;
        lineHeight = FKept->LineHeight;
    } else {
        Layout(text, canvas, pass, context, xMax, hyperLinks, endY);
        lineHeight = FKept->LineHeight;
    }
    yMax = endY + 2 * lineHeight;
    if (context.HasParent) {
        xMax = std::max(xMax, context.ParentWidth);
        yMax = std::max(yMax, context.ParentHeight);
    }
}

void TMarkupLayout::Layout(std::string_view text, TCanvas& canvas, TMarkupPass pass, const TMarkupContext& c,
                           int& xMax, TPointerChain& hyperLinks, int& endY) {
    const bool painting = pass == TMarkupPass::Paint;
    auto kept = std::make_unique<TKept>();
    kept->Text = std::string(text);
    // Most words are a few letters and a space; reserving avoids regrowing large blocks.
    kept->Items.reserve(text.size() / 6 + 16);
    kept->Chars.reserve(text.size());
    kept->Width = c.Width;
    kept->Font = *c.Font;
    kept->LinkFont = *c.HyperLinkFont;
    kept->Palette = c.Palette;
    kept->Zoom = c.Zoom;

    ClearHyperLinks(hyperLinks);
    if (painting)
        canvas.Brush().SetStyle(TBrushStyle::bsClear);

    TFont font = *c.Font;
    canvas.Font() = font;
    int bold = StyleCounter(font, TFontStyle::fsBold);
    int italic = StyleCounter(font, TFontStyle::fsItalic);
    int underline = StyleCounter(font, TFontStyle::fsUnderline);
    int strike = StyleCounter(font, TFontStyle::fsStrikeOut);
    // The line height is that of "M" in the base font, whatever sizes the text asks for later.
    const int lh = std::max(1, canvas.TextHeight("M"));
    kept->LineHeight = lh;
    int x = 2;
    int y = 0;
    int32_t link = 0;
    bool hidden = false;
    std::string word;
    word.reserve(MaxShortStringLength);
    // Where the buffered word's first character stands in the text.
    size_t wordSource = 0;
    const double limit = 0.95 * c.Width;

    // The fonts the text uses, each with the height its words reach below their line top. Word widths
    // are not kept here: the canvases keep the widths of the words they measured.
    std::vector<int> fontHeights;
    int fontIndex = -1;
    auto currentFont = [&]() {
        if (fontIndex >= 0 && kept->Fonts[static_cast<size_t>(fontIndex)].SameValue(font))
            return fontIndex;
        const auto found = std::find_if(kept->Fonts.begin(), kept->Fonts.end(),
                                        [&](const TFont& f) { return f.SameValue(font); });
        canvas.Font() = font;
        if (found != kept->Fonts.end()) {
            fontIndex = static_cast<int>(found - kept->Fonts.begin());
        } else {
            kept->Fonts.push_back(font);
            fontHeights.push_back(canvas.TextHeight("M"));
            fontIndex = static_cast<int>(kept->Fonts.size()) - 1;
        }
        return fontIndex;
    };

    auto lastArea = [&]() { return static_cast<THyperLinkArea*>(hyperLinks.Get(hyperLinks.Count())); };
    auto openLink = [&](std::string href, bool continues) {
        SetStyle(font, TFontStyle::fsUnderline, true);
        auto* area = new THyperLinkArea{TRect{x, y, 0, 0}, std::move(href), {}, continues};
        if (hyperLinks.Add(area)) {
            link = hyperLinks.Count();
            font = *c.HyperLinkFont;
        } else {
            delete area;
            link = 0;
        }
    };
    auto closeLink = [&]() {
        THyperLinkArea* area = lastArea();
        area->Area.Right = x;
        area->Area.Bottom = y + lh;
        link = 0;
        font = *c.Font;
        SetStyle(font, TFontStyle::fsUnderline, underline != 0);
    };

    // A word that begins right after a recognised tag, without a space between.
    bool afterTag = false;
    // Where the next word begins in the visible text, and whether a line break or picture comes first.
    uint32_t visibleLength = 0;
    bool breakBefore = false;
    // Measures the word in the current font, wraps the line when it does not fit, and draws it. A word
    // glued to the tag before it that begins with punctuation (the comma after a link) belongs to the
    // word before it: it stays on the line as long as it fits in the control's full width.
    auto emit = [&]() -> int {
        currentFont();
        const int w = word.empty() ? 0 : canvas.TextWidth(word);
        const bool glued = afterTag && !word.empty() && IsGluedPunctuation(word.front());
        afterTag = false;
        if (x + w > (glued ? double(c.Width) : limit)) {
            if (link != 0 && hyperLinks.Count() > 0) {
                // A link that runs over the line end gets one area per line.
                std::string href = lastArea()->HRef;
                closeLink();
                y += lh;
                x = 2;
                openLink(std::move(href), true);
            } else {
                y += lh;
                x = 2;
            }
        }
        if (!word.empty()) {
            const int drawIndex = currentFont();
            TItem item;
            item.X = x;
            item.Y = y;
            item.FontIndex = drawIndex;
            item.Height = fontHeights[static_cast<size_t>(drawIndex)];
            item.TextStart = static_cast<uint32_t>(kept->Chars.size());
            item.TextLength = static_cast<uint32_t>(word.size());
            item.Source = static_cast<uint32_t>(wordSource);
            item.Width = w;
            if (breakBefore && visibleLength > 0)
                ++visibleLength;
            breakBefore = false;
            item.VisibleStart = visibleLength;
            visibleLength += item.TextLength;
            kept->Chars += word;
            kept->TallestItem = std::max(kept->TallestItem, item.Height);
            if (painting)
                canvas.TextOut(x, y, word);
            kept->Items.push_back(std::move(item));
            if (link != 0)
                lastArea()->Text += word;
        }
        return w;
    };

    auto picture = [&](std::string_view token) {
        const std::string name = TagAttribute(token, "NAME=");
        if (name.empty() || !c.FindImage)
            return;
        const TGraphic* graphic = c.FindImage(name);
        if (graphic == nullptr || graphic->Empty())
            return;
        const TPaletteScope palette(canvas, c.Palette);
        TItem item;
        item.Graphic = graphic;
        item.Y = y;
        item.Height = graphic->Height();
        const std::string align = TagAttribute(token, "ALIGN=");
        if (align.empty() || align == "LEFT")
            item.X = 2;
        else if (align == "CENTER")
            item.X = RoundHalfEven((c.Width - graphic->Width()) / 2.0);
        else if (align == "RIGHT")
            item.X = c.Width - graphic->Width();
        else
            item.Draw = false;
        if (painting && item.Draw)
            canvas.Draw(item.X, item.Y, *graphic);
        if (!painting && c.HorScrollBar && c.HasParent)
            xMax = std::max(xMax, graphic->Width());
        kept->TallestItem = std::max(kept->TallestItem, item.Height);
        kept->Items.push_back(std::move(item));
        // The picture moves the text by whole lines less one pixel each.
        y += RoundHalfEven(static_cast<double>(graphic->Height()) / lh) * (lh - 1);
        x = 2;
        breakBefore = true;
    };

    auto counted = [&](int& counter, int step, TFontStyle style) {
        counter += step;
        SetStyle(font, style, counter != 0);
    };

    auto tag = [&](TTagKind kind, std::string_view token) {
        switch (kind) {
        case TTagKind::BoldOn:
            counted(bold, 1, TFontStyle::fsBold);
            break;
        case TTagKind::BoldOff:
            counted(bold, -1, TFontStyle::fsBold);
            break;
        case TTagKind::ItalicOn:
            counted(italic, 1, TFontStyle::fsItalic);
            break;
        case TTagKind::ItalicOff:
            counted(italic, -1, TFontStyle::fsItalic);
            break;
        case TTagKind::StrikeOn:
            counted(strike, 1, TFontStyle::fsStrikeOut);
            break;
        case TTagKind::StrikeOff:
            counted(strike, -1, TFontStyle::fsStrikeOut);
            break;
        case TTagKind::UnderlineOn:
        case TTagKind::UnderlineOff:
            underline += kind == TTagKind::UnderlineOn ? 1 : -1;
            if (link == 0)
                SetStyle(font, TFontStyle::fsUnderline, underline != 0);
            break;
        case TTagKind::Font:
        case TTagKind::FontClose:
            if (const int change = ZoomedSizeChange(SizeChange(TagAttribute(token, "SIZE=")), c.Zoom);
                change != 0)
                font.SetSize(std::clamp(font.Size() + change, -MaxPointSize, MaxPointSize));
            break;
        case TTagKind::Image:
            picture(token);
            break;
        case TTagKind::Hide:
            hidden = true;
            break;
        case TTagKind::Show:
            hidden = false;
            break;
        case TTagKind::LinkOpen:
            if (link == 0)
                openLink(TagAttribute(token, "HREF="), false);
            break;
        case TTagKind::LinkClose:
            if (link != 0)
                closeLink();
            break;
        case TTagKind::None:
            break;
        }
    };

    TTagReader tags(text);
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch != '\r' && ch != '\n' && word.size() < MaxShortStringLength) {
            if (word.empty())
                wordSource = i;
            word.push_back(ch);
        }
        if (ch == ' ') {
            if (!hidden)
                x += emit();
            word.clear();
        } else if (ch == '<') {
            size_t end = 0;
            const std::string_view token = tags.Token(i, end);
            const TTagKind kind = RecognizeTag(token);
            if (kind == TTagKind::None)
                continue;
            if (!hidden) {
                if (!word.empty() && word.back() == '<')
                    word.pop_back();
                x += emit();
            }
            word.clear();
            tag(kind, token);
            afterTag = true;
            i = end - 1;
        } else if (ch == '\n' && i > 0 && text[i - 1] == '\r') {
            if (!hidden) {
                emit();
                y += lh;
                x = 2;
                word.clear();
                breakBefore = true;
            }
        }
    }
    if (!word.empty() && !hidden)
        emit();

    for (int32_t pos = 1; pos <= hyperLinks.Count(); ++pos)
        kept->Links.push_back(*static_cast<const THyperLinkArea*>(hyperLinks.Get(pos)));
    kept->EndY = y;
    endY = y;
    FKept = std::move(kept);
}

void TMarkupLayout::Replay(TCanvas& canvas, const TMarkupContext& c, TPointerChain& hyperLinks,
                           const TRect* visible) {
    ClearHyperLinks(hyperLinks);
    for (const THyperLinkArea& area : FKept->Links)
        hyperLinks.Add(new THyperLinkArea(area));
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font() = *c.Font;

    const std::vector<TItem>& items = FKept->Items;
    auto first = items.begin();
    auto last = items.end();
    if (visible != nullptr) {
        // Items stand in order of y; only those reaching into the visible rows are drawn.
        const int top = visible->Top - FKept->TallestItem;
        first = std::lower_bound(items.begin(), items.end(), top,
                                 [](const TItem& item, int y) { return item.Y < y; });
        last = std::lower_bound(first, items.end(), visible->Bottom,
                                [](const TItem& item, int y) { return item.Y < y; });
    }
    int fontIndex = -1;
    for (auto it = first; it != last; ++it) {
        if (visible != nullptr && it->Y + it->Height <= visible->Top)
            continue;
        if (it->Graphic == nullptr) {
            if (it->FontIndex != fontIndex) {
                fontIndex = it->FontIndex;
                canvas.Font() = FKept->Fonts[static_cast<size_t>(fontIndex)];
            }
            canvas.TextOut(it->X, it->Y,
                           std::string_view(FKept->Chars).substr(it->TextStart, it->TextLength));
            continue;
        }
        const TPaletteScope palette(canvas, c.Palette);
        if (it->Draw)
            canvas.Draw(it->X, it->Y, *it->Graphic);
    }
}

std::string TMarkupLayout::VisibleText() const {
    std::string text;
    if (!FKept)
        return text;
    for (const TItem& item : FKept->Items) {
        if (item.Graphic != nullptr)
            continue;
        text.resize(item.VisibleStart, '\n');
        text.append(FKept->Chars, item.TextStart, item.TextLength);
    }
    return text;
}

std::vector<TRect> TMarkupLayout::RangeRects(TCanvas& canvas, TTextRange range, const TRect* rows) const {
    std::vector<TRect> rects;
    if (!FKept || range.End <= range.Start)
        return rects;
    const std::vector<TItem>& items = FKept->Items;
    // Words stand in order of their visible start; the first that ends after the range's start.
    auto it = std::lower_bound(items.begin(), items.end(), range.Start, [](const TItem& item, size_t at) {
        return item.VisibleStart + item.TextLength <= at;
    });
    for (; it != items.end() && it->VisibleStart < range.End; ++it) {
        if (it->Graphic != nullptr || it->TextLength == 0)
            continue;
        if (rows != nullptr && (it->Y + it->Height <= rows->Top || it->Y >= rows->Bottom))
            continue;
        const std::string_view word = std::string_view(FKept->Chars).substr(it->TextStart, it->TextLength);
        const size_t from = range.Start > it->VisibleStart ? range.Start - it->VisibleStart : 0;
        const size_t to = std::min<size_t>(range.End - it->VisibleStart, word.size());
        if (to <= from)
            continue;
        canvas.Font() = FKept->Fonts[static_cast<size_t>(it->FontIndex)];
        const int left = from == 0 ? 0 : canvas.TextWidth(word.substr(0, from));
        const int right = canvas.TextWidth(word.substr(0, to));
        rects.push_back(TRect{it->X + left, it->Y, it->X + right, it->Y + it->Height});
    }
    return rects;
}

int TMarkupLayout::ItemBelow(int y) const {
    if (!FKept)
        return -1;
    const std::vector<TItem>& items = FKept->Items;
    const auto it =
        std::find_if(items.begin(), items.end(), [y](const TItem& item) { return item.Y + item.Height > y; });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

int TMarkupLayout::ItemTop(int item) const {
    if (!FKept || item < 0 || item >= static_cast<int>(FKept->Items.size()))
        return 0;
    return FKept->Items[static_cast<size_t>(item)].Y;
}

} // namespace orvalis
