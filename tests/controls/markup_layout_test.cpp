#include "controls/markup_layout.h"

#include "platform/bitmap.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace orvalis {
namespace {

using Calls = std::vector<std::string>;

// Every character is 8 wide and 16 high, so lines are 16 apart and the wrap limit of a 200-wide control
// is 190: a word fits while x + 8 * length <= 190.
class MarkupLayoutTest : public ::testing::Test {
protected:
    MarkupLayoutTest() : Links("HyperLinks") {
        Context.Width = 200;
        Context.Font = &Font;
        Context.HyperLinkFont = &LinkFont;
        Context.FindImage = [this](std::string_view name) -> const TGraphic* {
            const auto it = Pictures.find(std::string(name));
            return it == Pictures.end() ? nullptr : &it->second;
        };
        LinkFont.SetStyle(TFontStyle::fsUnderline);
    }
    ~MarkupLayoutTest() override { ClearHyperLinks(Links); }

    Calls Paint(std::string_view text) {
        Canvas.Clear();
        YMax = 1;
        Layout.Invalidate();
        Layout.Run(text, Canvas, TMarkupPass::Paint, Context, XMax, YMax, Links);
        return Canvas.CallsNamed(Name);
    }
    void Measure(std::string_view text) {
        YMax = 0;
        Layout.Run(text, Canvas, TMarkupPass::Measure, Context, XMax, YMax, Links);
    }
    std::vector<std::pair<TRect, std::string>> Areas() {
        std::vector<std::pair<TRect, std::string>> out;
        for (int32_t i = 1; i <= Links.Count(); ++i) {
            const auto* a = static_cast<const THyperLinkArea*>(Links.Get(i));
            out.emplace_back(a->Area, a->HRef);
        }
        return out;
    }
    // The styles of the font each TextOut drew with, as "B", "I", "U", "S" letters.
    std::vector<std::string> Styles() {
        std::vector<std::string> out;
        for (const TCanvasCall& call : Canvas.Calls()) {
            if (!call.Text.starts_with("TextOut"))
                continue;
            std::string s;
            const TFontStyles st = call.Font.Style();
            s += st.Has(TFontStyle::fsBold) ? "B" : "";
            s += st.Has(TFontStyle::fsItalic) ? "I" : "";
            s += st.Has(TFontStyle::fsUnderline) ? "U" : "";
            s += st.Has(TFontStyle::fsStrikeOut) ? "S" : "";
            out.push_back(s);
        }
        return out;
    }

    RecordingCanvas Canvas{8, 16};
    TFont Font, LinkFont;
    TMarkupContext Context;
    TMarkupLayout Layout;
    TPointerChain Links;
    std::map<std::string, TBitmap> Pictures;
    int XMax = 0, YMax = 0;
    std::string Name = "TextOut";
};

TEST_F(MarkupLayoutTest, LineBreaks_OnlyCrLfBreaks) {
    EXPECT_EQ(Paint("A\r\nB"), (Calls{"TextOut(2,0,\"A\")", "TextOut(2,16,\"B\")"}));
    EXPECT_EQ(Paint("A\nB"), (Calls{"TextOut(2,0,\"AB\")"}));
    EXPECT_EQ(Paint("A\rB"), (Calls{"TextOut(2,0,\"AB\")"}));
    EXPECT_EQ(Paint("A\r\n\r\nB"), (Calls{"TextOut(2,0,\"A\")", "TextOut(2,32,\"B\")"}));
    EXPECT_EQ(YMax, 32 + 2 * 16);
}

TEST_F(MarkupLayoutTest, Words_CarryTheirSpaceAndRunsOfSpacesKeepWidth) {
    EXPECT_EQ(Paint("een  twee"),
              (Calls{"TextOut(2,0,\"een \")", "TextOut(34,0,\" \")", "TextOut(42,0,\"twee\")"}));
}

TEST_F(MarkupLayoutTest, LowerCaseAndUnknownTags_AreLiteral) {
    EXPECT_EQ(Paint("<b>x</b> <BR>y"), (Calls{"TextOut(2,0,\"<b>x</b> \")", "TextOut(74,0,\"<BR>y\")"}));
    EXPECT_EQ(Paint("a<b"), (Calls{"TextOut(2,0,\"a<b\")"})); // no '>': text
}

TEST_F(MarkupLayoutTest, Wrap_AtNinetyFivePercentExactly) {
    // A word is measured with its space: 23 letters and a space reach 2 + 192 = 194 > 190.
    EXPECT_EQ(Paint(std::string(23, 'a') + " b"),
              (Calls{"TextOut(2,16,\"" + std::string(23, 'a') + " \")", "TextOut(2,32,\"b\")"}));
    // "x" after 21 letters and a space ends at 186: within 0.95 x 196 = 186.2, beyond 0.95 x 195 = 185.25.
    const std::string text = std::string(21, 'a') + " x";
    Context.Width = 196;
    EXPECT_EQ(Paint(text)[1], "TextOut(178,0,\"x\")");
    Context.Width = 195;
    EXPECT_EQ(Paint(text)[1], "TextOut(2,16,\"x\")");
}

// A link of 22 letters ends at 178: a comma glued to its closing tag stays on the line within the full
// width of 200, beyond the wrap limit of 190; the words after it wrap as before.
TEST_F(MarkupLayoutTest, PunctuationGluedToATag_StaysOnTheLineWithinTheFullWidth) {
    const std::string link = "<A HREF=p>" + std::string(22, 'a') + "</A>";
    EXPECT_EQ(Paint(link + ", maar"), (Calls{"TextOut(2,0,\"" + std::string(22, 'a') + "\")",
                                             "TextOut(178,0,\", \")", "TextOut(2,16,\"maar\")"}));
    for (char mark : std::string(",.;:!?)'\""))
        EXPECT_EQ(Paint(link + mark + " x")[1], "TextOut(178,0,\"" + std::string(1, mark) + " \")") << mark;
    EXPECT_EQ(Paint("<B>" + std::string(22, 'a') + "</B>. x")[1], "TextOut(178,0,\". \")") << "any tag";

    // Wrapped as the rest: beyond the full width, a letter after a tag, punctuation after a space.
    EXPECT_EQ(Paint(link + ",,,, x")[1], "TextOut(2,16,\",,,, \")");
    EXPECT_EQ(Paint(link + "xy z")[1], "TextOut(2,16,\"xy \")");
    EXPECT_EQ(Paint(std::string(22, 'a') + " ,x")[1], "TextOut(2,16,\",x\")");
}

TEST_F(MarkupLayoutTest, OverWideWord_LeavesEmptyLineAndOverruns) {
    const std::string wide(30, 'w');
    EXPECT_EQ(Paint("kort " + wide + " na"),
              (Calls{"TextOut(2,0,\"kort \")", "TextOut(2,16,\"" + wide + " \")", "TextOut(2,32,\"na\")"}));
    EXPECT_EQ(Paint(wide), (Calls{"TextOut(2,16,\"" + wide + "\")"})); // even at the start of a line
}

TEST_F(MarkupLayoutTest, StyleCounters_StartFromBaseFontAndAreNotClamped) {
    Paint("a </B>b <B>c");
    EXPECT_EQ(Styles(), (std::vector<std::string>{"", "B", ""})); // -1 is "not zero": bold
    Font.SetStyle(TFontStyle::fsBold);
    Paint("a </B>b <I><S><U>c</U></S></I>");
    EXPECT_EQ(Styles(), (std::vector<std::string>{"B", "", "IUS"}));
}

TEST_F(MarkupLayoutTest, Links_QuotedAndUnquotedTargets) {
    Paint("zie <A HREF=vitamine c>C</A> en <A HREF=\"vitamine c\">dit</A>");
    const auto areas = Areas();
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0].second, "vitamine");
    EXPECT_EQ(areas[0].first, (TRect{34, 0, 42, 16}));
    EXPECT_EQ(areas[1].second, "vitamine c");
    EXPECT_EQ(areas[1].first, (TRect{74, 0, 98, 16}));
    EXPECT_EQ(Styles(), (std::vector<std::string>{"", "U", "", "", "U"}));
}

TEST_F(MarkupLayoutTest, AnyAToken_OpensALink) {
    Paint("<ABBR>x</A>");
    ASSERT_EQ(Areas().size(), 1u);
    EXPECT_EQ(Areas()[0].second, "");
}

TEST_F(MarkupLayoutTest, WrappingLink_OneAreaPerLine) {
    Paint(std::string(20, 'a') + " <A HREF=doel>een twee</A> rest");
    const auto areas = Areas();
    ASSERT_EQ(areas.size(), 2u);
    // "een " ends at 2 + 168 + 32 = 202 > 190? No: x = 170 before "een " (2 + 21 * 8): 170 + 32 = 202 wraps.
    EXPECT_EQ(areas[0].first, (TRect{170, 0, 170, 16}));
    EXPECT_EQ(areas[1].first, (TRect{2, 16, 66, 32}));
    EXPECT_EQ(areas[0].second, "doel");
    EXPECT_EQ(areas[1].second, "doel");
}

TEST_F(MarkupLayoutTest, ClosedLink_DropsStylesMadeBeforeIt) {
    Paint("<B>vet <A HREF=x>link</A> niet</B> <B>weer");
    // "niet" stands inside <B> but after the link: not bold until the next bold tag.
    EXPECT_EQ(Styles(), (std::vector<std::string>{"B", "U", "", "", "", "B"}));
}

TEST_F(MarkupLayoutTest, UnderlineInsideLink_LeavesLinkFont) {
    LinkFont.SetStyle(TFontStyle::fsUnderline | TFontStyle::fsItalic);
    Paint("<A HREF=x><U>a</U> b</A> <U>c");
    EXPECT_EQ(Styles(), (std::vector<std::string>{"IU", "IU", "IU", "", "U"}));
}

TEST_F(MarkupLayoutTest, Hide_WithoutShowHidesTheRest) {
    EXPECT_EQ(Paint("zichtbaar <HIDE>weg\r\nweg <B>ook</B>"), (Calls{"TextOut(2,0,\"zichtbaar \")"}));
    EXPECT_EQ(YMax, 0 + 32);
    EXPECT_EQ(Paint("a <HIDE>x<SHOW>b"), (Calls{"TextOut(2,0,\"a \")", "TextOut(18,0,\"b\")"}));
}

TEST_F(MarkupLayoutTest, SizeTags_ChangeByTheSignedNumber) {
    Font.SetSize(10);
    Paint("a <FONT SIZE=+4>b</FONT SIZE=-4> c <FONT SIZE=3>d <FONT SIZE=+x>e");
    std::vector<int> sizes;
    for (const TCanvasCall& call : Canvas.Calls())
        sizes.push_back(call.Font.Size());
    EXPECT_EQ(sizes, (std::vector<int>{10, 14, 10, 10, 10, 10}));

    // A font given by its cell height has a negative point size: the tag still moves it by two points.
    Font.SetHeight(20);
    Paint("a <FONT SIZE=+2>b");
    EXPECT_EQ(Canvas.Calls().back().Font.Height(), 17);
    // Absurd sizes stay within what a screen can show.
    Font.SetSize(10);
    Paint("a <FONT SIZE=+99999>b");
    EXPECT_EQ(Canvas.Calls().back().Font.Size(), 400);
}

TEST_F(MarkupLayoutTest, Pictures_AlignAndAdvance) {
    Pictures.emplace("I\\T\\p.png", TBitmap(40, 40));
    Name = "Draw";
    EXPECT_EQ(Paint("<IMG NAME=I\\T\\p.png ALIGN=RIGHT>"), (Calls{"Draw(160,0,bitmap 40x40)"}));
    EXPECT_EQ(Paint("<IMG NAME=I\\T\\p.png ALIGN=CENTER>"), (Calls{"Draw(80,0,bitmap 40x40)"}));
    EXPECT_EQ(Paint("<IMG NAME=I\\T\\p.png>"), (Calls{"Draw(2,0,bitmap 40x40)"}));
    EXPECT_TRUE(Paint("<IMG NAME=I\\T\\p.png ALIGN=left>").empty());
    Name = "TextOut";
    // 40 / 16 = 2.5 rounds to 2 (half to even); the text moves by 2 * 15.
    EXPECT_EQ(Paint("<IMG NAME=I\\T\\p.png ALIGN=middle>na"), (Calls{"TextOut(2,30,\"na\")"}));
    Pictures.emplace("klein", TBitmap(10, 7));
    EXPECT_EQ(Paint("<IMG NAME=klein>na"), (Calls{"TextOut(2,0,\"na\")"})); // 7 / 16 rounds to 0
    EXPECT_EQ(Paint("<IMG NAME=bestaatniet>na <IMG>"), (Calls{"TextOut(2,0,\"na \")"}));
}

TEST_F(MarkupLayoutTest, MeasuringPass_WidensForPicturesOnlyWithHorizontalScrolling) {
    Pictures.emplace("breed", TBitmap(500, 10));
    Context.HasParent = true;
    Context.ParentWidth = 200;
    Context.ParentHeight = 300;
    XMax = 200;
    Measure("<IMG NAME=breed>");
    EXPECT_EQ(XMax, 200);
    EXPECT_EQ(YMax, 300); // at least the parent's height
    Context.HorScrollBar = true;
    Measure("<IMG NAME=breed>");
    EXPECT_EQ(XMax, 500);
    EXPECT_EQ(Canvas.CallsNamed("Draw").size(), 0u);
}

// The kept layout must paint exactly what laying out again paints, with the same hit areas.
TEST_F(MarkupLayoutTest, KeptLayout_PaintsAndHitsLikeAFreshLayout) {
    Pictures.emplace("p", TBitmap(20, 50));
    std::mt19937 rng(3);
    const char* pieces[] = {"woord ",
                            "lang"
                            "ewoordenreeks ",
                            "<B>",
                            "</B>",
                            "<I>",
                            "</U>",
                            "<U>",
                            "\r\n",
                            "<A HREF=x>",
                            "<A HREF=\"y z\">",
                            "</A>",
                            "<HIDE>",
                            "<SHOW>",
                            "<IMG NAME=p ALIGN=RIGHT>",
                            "<FONT SIZE=+2>",
                            "</FONT SIZE=-2>",
                            "  ",
                            "<"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += pieces[rng() % std::size(pieces)];
        Measure(text);
        EXPECT_TRUE(Layout.Cached(text, Context));
        Canvas.Clear();
        Layout.Run(text, Canvas, TMarkupPass::Paint, Context, XMax, YMax, Links);
        const auto keptCalls = Canvas.Calls();
        const auto keptAreas = Areas();
        const int keptY = YMax;
        Canvas.Clear();
        Layout.Invalidate();
        Layout.Run(text, Canvas, TMarkupPass::Paint, Context, XMax, YMax, Links);
        ASSERT_EQ(Canvas.CallTexts().size(), keptCalls.size()) << text;
        for (size_t i = 0; i < keptCalls.size(); ++i) {
            ASSERT_EQ(Canvas.Calls()[i].Text, keptCalls[i].Text) << text;
            if (keptCalls[i].Text.starts_with("TextOut")) {
                ASSERT_TRUE(Canvas.Calls()[i].Font.SameValue(keptCalls[i].Font)) << i << " " << text;
            }
        }
        ASSERT_EQ(Areas(), keptAreas) << text;
        ASSERT_EQ(YMax, keptY);
    }
}

TEST_F(MarkupLayoutTest, KeptLayout_DrawsOnlyTheVisibleRows) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "regel " + std::to_string(i) + "\r\n";
    Measure(text);
    Canvas.Clear();
    const TRect visible{0, 800, 200, 848}; // rows 50, 51 and 52
    Layout.Run(text, Canvas, TMarkupPass::Paint, Context, XMax, YMax, Links, &visible);
    EXPECT_EQ(Canvas.CallsNamed("TextOut"),
              (Calls{"TextOut(2,800,\"regel \")", "TextOut(50,800,\"50\")", "TextOut(2,816,\"regel \")",
                     "TextOut(50,816,\"51\")", "TextOut(2,832,\"regel \")", "TextOut(50,832,\"52\")"}));
}

TEST_F(MarkupLayoutTest, ChangedWidthOrFont_LaysOutAgain) {
    Measure("een twee drie");
    EXPECT_TRUE(Layout.Cached("een twee drie", Context));
    Context.Width = 100;
    EXPECT_FALSE(Layout.Cached("een twee drie", Context));
    Context.Width = 200;
    Font.SetStyle(TFontStyle::fsBold);
    EXPECT_FALSE(Layout.Cached("een twee drie", Context));
    EXPECT_FALSE(Layout.Cached("een twee vier", Context));
}

TEST_F(MarkupLayoutTest, HostileInput_NoCrashBoundedLayout) {
    std::mt19937 rng(11);
    std::string bytes(65535, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng());
    Paint(bytes);
    Paint(std::string(65535, 'x')); // one huge word, cut to 255 characters
    EXPECT_EQ(Canvas.CallsNamed("TextOut")[0].size(), std::string("TextOut(2,16,\"\")").size() + 255);
    std::string tags;
    while (tags.size() < 65000)
        tags += "<B><A HREF=x><FONT SIZE=+9><IMG NAME=..\\..\\etc\\passwd><U></A>";
    Paint(tags);
    Paint(std::string(30000, '<'));
    Paint("<A HREF=" + std::string(1000, 'q'));
    SUCCEED();
}

} // namespace
} // namespace orvalis
