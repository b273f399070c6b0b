#include "controls/markup_selection.h"

#include "content/markup_tags.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

// Every character is 8 wide and 16 high; the text starts at x = 2 and a 400-wide control wraps at 380.
class MarkupSelectionTest : public ::testing::Test {
protected:
    MarkupSelectionTest() : Links("HyperLinks") {
        Context.Width = 400;
        Context.Font = &Font;
        Context.HyperLinkFont = &LinkFont;
    }
    ~MarkupSelectionTest() override { ClearHyperLinks(Links); }

    TMarkupSelection Lay(std::string_view text) {
        Text = std::string(text);
        int xMax = 0;
        int yMax = 0;
        Layout.Run(Text, Canvas, TMarkupPass::Measure, Context, xMax, yMax, Links);
        Words = Layout.Words();
        return TMarkupSelection(Words, Text, Canvas);
    }
    std::string Slice(TTextRange range) const { return VisibleTopicText(Text, range.Start, range.End); }

    TFont Font, LinkFont;
    TMarkupContext Context;
    RecordingCanvas Canvas{8, 16};
    TPointerChain Links;
    TMarkupLayout Layout;
    std::string Text;
    std::vector<TMarkupWord> Words;
};

TEST_F(MarkupSelectionTest, PositionAt_NearestBoundaryOnTheLineOfThePoint) {
    // Line 0: "Neem " 2-42, "veel" 42-74, " " 74-82, "rust, " 82-130, "zie " 130-162, "zink" 162-194, "."
    // 194-202; line 1: "Einde" from 2.
    const TMarkupSelection selection = Lay("Neem <B>veel</B> rust, <A HREF=x>zie zink</A>.\r\nEinde");
    const size_t einde = Text.find("Einde");
    const struct {
        TPoint Point;
        size_t Position;
    } cases[] = {
        {{0, 5}, 0},                        // left of the first word
        {{10, -4}, 0},                      // above the text
        {{21, 5}, 2},                       // 19 into "Neem ": the boundary at 16 is nearer than 24
        {{23, 5}, 3},                       // 21 into it: 24 is nearer
        {{50, 15}, Text.find("veel") + 1},  // inside the bold run
        {{170, 0}, Text.find("zink") + 1},  // inside the link
        {{399, 8}, Text.find(".\r\n") + 1}, // beyond the end of the line: its end, before the line break
        {{11, 20}, einde + 1},              // on the second line
        {{11, 300}, Text.size()},           // below the text: its end
    };
    for (const auto& c : cases)
        EXPECT_EQ(selection.PositionAt(c.Point), c.Position) << c.Point.X << "," << c.Point.Y;
}

TEST_F(MarkupSelectionTest, PositionAt_LineBreakCharactersInsideAWordArePassedOver) {
    // A lone CR or LF is not drawn: "ab\ncd" is one word of four characters.
    const TMarkupSelection selection = Lay("ab\ncd ef");
    ASSERT_EQ(Words.front().Chars, "abcd ");
    EXPECT_EQ(selection.PositionAt({2 + 16, 4}), 2u);
    EXPECT_EQ(selection.PositionAt({2 + 24, 4}), 4u) << "after the c, which stands behind the LF";
    EXPECT_EQ(Slice({0, selection.PositionAt({2 + 24, 4})}), "ab\nc");
}

TEST_F(MarkupSelectionTest, WordAt_LettersAcrossStyleChangesWithoutPunctuation) {
    const TMarkupSelection selection = Lay("Bij <B>hoofd</B>pijn, ge\xEBist: rust.");
    // "Bij " 2-34, "hoofd" 34-74, "pijn, " 74-122, "ge\xEBist: " 122-186, "rust." 186-226.
    EXPECT_EQ(Slice(selection.WordAt({40, 8})), "hoofdpijn") << "from the bold part";
    EXPECT_EQ(Slice(selection.WordAt({80, 8})), "hoofdpijn") << "from the plain part";
    EXPECT_EQ(Slice(selection.WordAt({130, 8})), "ge\xEBist") << "Windows-1252 letters belong to words";
    EXPECT_EQ(Slice(selection.WordAt({190, 8})), "rust");
    EXPECT_EQ(Slice(selection.WordAt({30, 8})), " ") << "a space gives itself";
    EXPECT_EQ(Slice(selection.WordAt({390, 8})), ".") << "beyond the line: its last character";
}

TEST_F(MarkupSelectionTest, Rects_CutAtTheEndsOnePerWord) {
    const TMarkupSelection selection = Lay("Neem <B>veel</B> rust\r\nEinde");
    const TTextRange range{1, Text.find("Einde") + 2}; // "eem veel rust\r\nEi"
    EXPECT_EQ(selection.Rects(range), (std::vector<TRect>{
                                          {10, 0, 42, 16},  // "eem "
                                          {42, 0, 74, 16},  // "veel"
                                          {74, 0, 82, 16},  // " "
                                          {82, 0, 114, 16}, // "rust"
                                          {2, 16, 18, 32},  // "Ei"
                                      }));
    const TRect secondLine{0, 16, 400, 32};
    EXPECT_EQ(selection.Rects(range, &secondLine), (std::vector<TRect>{{2, 16, 18, 32}}));
    EXPECT_TRUE(selection.Rects({3, 3}).empty());
}

TEST_F(MarkupSelectionTest, EmptyLayout_AnswersWithoutWords) {
    const TMarkupSelection selection = Lay("<HIDE>alles verborgen");
    EXPECT_TRUE(Words.empty());
    EXPECT_EQ(selection.PositionAt({50, 50}), 0u);
    EXPECT_TRUE(selection.WordAt({50, 50}).Empty());
}

} // namespace
} // namespace orvalis
