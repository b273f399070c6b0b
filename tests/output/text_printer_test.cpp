// The printed page layout on the recording printer, whose canvas makes every character 8 wide and every
// text 16 high: "H" is TW = 8 by TH = 16, the left margin 48, the first body line of page 1 at y = 96.
#include "output/publisher_notice.h"
#include "output/text_printer.h"
#include "platform/printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace orvalis {
namespace {

constexpr int TW = 8, TH = 16;
constexpr int Margin = 6 * TW;
constexpr int FirstBodyY = 6 * TH;

struct TPrinted {
    int X = 0, Y = 0;
    std::string Text;
    int Points = 0;
};

std::vector<TPrinted> Printed(RecordingPrinter& printer) {
    std::vector<TPrinted> out;
    for (const TCanvasCall& call : printer.Recording().Calls()) {
        TPrinted p;
        if (std::sscanf(call.Text.c_str(), "TextOut(%d,%d,", &p.X, &p.Y) != 2)
            continue;
        const size_t open = call.Text.find('"');
        p.Text = call.Text.substr(open + 1, call.Text.rfind('"') - open - 1);
        p.Points = call.Font.Size();
        out.push_back(p);
    }
    return out;
}

// The body of page 1 by line: line i at y = 96 + 16 i; a line that drew nothing is "".
std::vector<std::string> BodyLines(RecordingPrinter& printer) {
    std::vector<std::string> lines;
    for (const TPrinted& p : Printed(printer)) {
        if (p.X != Margin || p.Y < FirstBodyY || p.Y >= printer.Height - 3 * TH)
            continue;
        const size_t line = size_t(p.Y - FirstBodyY) / TH;
        lines.resize(std::max(lines.size(), line + 1));
        lines[line] += p.Text;
    }
    return lines;
}

// A page width whose lines hold 20 characters: PW - 12 TW = 160.
constexpr int NarrowWidth = 12 * TW + 20 * TW;

void Print(RecordingPrinter& printer, std::string_view markup, std::string_view title = "Zink") {
    ASSERT_TRUE(printer.BeginDoc());
    PrintTopicPages(printer, TFont(), title, markup);
}

TEST(TextPrinter, FirstPage_HeaderFooterTitleAndBodyFont) {
    RecordingPrinter printer;
    TFont textFont;
    textFont.SetName("Tahoma");
    textFont.SetSize(8);
    textFont.SetStyle(TFontStyle::fsBold | TFontStyle::fsItalic);
    textFont.SetColor(TColor::FromRgb(0x800000));
    ASSERT_TRUE(printer.BeginDoc());
    PrintTopicPages(printer, textFont, "Acne", "<B>Zink</B> is");

    const int footY = printer.Height - 3 * TH;
    const std::vector<TPrinted> printed = Printed(printer);
    ASSERT_EQ(printed.size(), 5u);
    const std::vector<std::tuple<int, int, std::string, int>> expected{
        {printer.Width - 7 * TW - 3 * TW, 2 * TH, "Orvalis", 10},
        {printer.Width - 8 * TW - 3 * TW, footY, "Pagina 1", 10},
        {Margin, footY, std::string(PublisherNotice), 10},
        {Margin, 3 * TH, "Acne", 14},
        {Margin, FirstBodyY, "Zink is", 10},
    };
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::tie(printed[i].X, printed[i].Y, printed[i].Text, printed[i].Points), expected[i]) << i;

    const TCanvasCall& body = printer.Recording().Calls().back();
    EXPECT_EQ(body.Font.Name(), "Tahoma");
    EXPECT_EQ(body.Font.Color(), clBlack);
    EXPECT_TRUE(body.Font.Style().Empty());
    EXPECT_EQ(body.Brush.Style(), TBrushStyle::bsClear) << "text without background";
    EXPECT_EQ(printer.Log, (std::vector<std::string>{"BeginDoc"})) << "ending the document is the caller's";
}

TEST(TextPrinter, Body_StripsMarkupAndWrapsAtTheLineLimit) {
    const std::string wide = "abcdefghijklmnopqrstuvwxyz";
    struct TCase {
        std::string Markup;
        std::vector<std::string> Lines;
    };
    for (const TCase& c : {
             TCase{"<B>Zink</B> is", {"Zink is"}},
             TCase{"<B><I>x", {"x"}},
             TCase{"{Zink} {is}", {"Zink is"}},
             TCase{"<HIDE>verborgen<SHOW> deel", {"verborgen deel"}},
             TCase{"a < b", {"a < b"}},
             TCase{"a\nb\rc", {"abc"}},
             // Twenty characters fill the line exactly; the trailing blank of a word counts.
             TCase{"aaaa bbbb cccc ddddd", {"aaaa bbbb cccc ddddd"}},
             TCase{"aaaa bbbb cccc dddddd", {"aaaa bbbb cccc ", "dddddd"}},
             TCase{"aaaa bbbb cccc dddd eeee", {"aaaa bbbb cccc dddd ", "eeee"}},
             TCase{"een\r\n\r\ntwee", {"een", "", "twee"}},
             TCase{"eind ", {"eind "}},
             // A word wider than the line stands on a line of its own; at a paragraph's start the empty
             // line before it is printed first.
             TCase{"kort " + wide, {"kort ", wide}},
             TCase{wide + " kort", {"", wide + " ", "kort"}},
             TCase{std::string(300, 'w'), {"", std::string(255, 'w')}},
         }) {
        RecordingPrinter printer;
        printer.Width = NarrowWidth;
        Print(printer, c.Markup);
        EXPECT_EQ(BodyLines(printer), c.Lines) << c.Markup;
    }
}

TEST(TextPrinter, LongTopic_ContinuesWithTitleAndPageNumber) {
    // PH - 4 TH = 136: page 1 holds body lines at 96, 112 and 128, later pages six from 48.
    RecordingPrinter printer;
    printer.Height = 200;
    Print(printer, "r1\r\nr2\r\nr3\r\nr4\r\nr5", "Acne");
    EXPECT_EQ(printer.Log, (std::vector<std::string>{"BeginDoc", "NewPage"}));

    const std::vector<std::string> calls = printer.Recording().CallsNamed("TextOut");
    const auto r3 = std::find(calls.begin(), calls.end(), "TextOut(48,128,\"r3\")");
    ASSERT_NE(r3, calls.end());
    const std::vector<std::string> page2(r3 + 1, calls.end());
    EXPECT_EQ(page2, (std::vector<std::string>{
                         "TextOut(48,32,\"Vervolg: Acne\")",
                         "TextOut(4720,32,\"Orvalis\")",
                         "TextOut(4712,152,\"Pagina 2\")",
                         "TextOut(48,152,\"" + std::string(PublisherNotice) + "\")",
                         "TextOut(48,48,\"r4\")",
                         "TextOut(48,64,\"r5\")",
                     }));
}

TEST(TextPrinter, TopicEndingAtTheFootOfAPage_GetsNoEmptyPage) {
    RecordingPrinter printer;
    printer.Height = 200;
    Print(printer, "r1\r\nr2\r\nr3");
    EXPECT_EQ(printer.Log, (std::vector<std::string>{"BeginDoc"}));
    // An empty line at the foot still moves the next text over.
    RecordingPrinter blank;
    blank.Height = 200;
    Print(blank, "r1\r\nr2\r\n\r\nr4");
    EXPECT_EQ(blank.Log, (std::vector<std::string>{"BeginDoc", "NewPage"}));
    EXPECT_EQ(blank.Recording().CallsNamed("TextOut").back(), "TextOut(48,48,\"r4\")");
}

} // namespace
} // namespace orvalis
