#include "output/clipboard_copy.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(ClipboardCopy, PlainTopicText_DropsTagsAndBraces) {
    struct TCase {
        std::string Markup, Plain;
    };
    for (const TCase& c : {
             TCase{"Zie <A HREF=Zink>zink</A>.", "Zie zink."},
             TCase{"a < b", "a < b"},
             TCase{"{x}", "x"},
             TCase{"<B>vet</B>\r\n<HIDE>verborgen<SHOW>", "vet\r\nverborgen"},
             TCase{"<IMG SRC=I\\T\\a.png><<B>>x", ">x"},
             TCase{"a > b < c", "a > b < c"},
             TCase{"x <y> < z", "x  < z"},
             TCase{"", ""},
         })
        EXPECT_EQ(PlainTopicText(c.Markup), c.Plain) << c.Markup;
}

TEST(ClipboardCopy, ClipboardTopicText_HeaderTextAndSource) {
    const std::string text = ClipboardTopicText("Klachten -> Acne", "<B>Acne</B> is");
    EXPECT_EQ(text.rfind("Klachten -> Acne\r\nAcne is\r\n", 0), 0u) << text;
    const size_t source = text.rfind("\r\nBron: ");
    ASSERT_NE(source, std::string::npos);
    EXPECT_NE(text.find("Orvalis", source), std::string::npos);
    EXPECT_NE(text.back(), '\n') << "no line break after the source line";
    // The header line, break included, is cut at 255 characters.
    const std::string longText = ClipboardTopicText(std::string(300, 'h'), "x");
    EXPECT_EQ(longText.substr(0, 256), std::string(255, 'h') + "x");
}

} // namespace
} // namespace orvalis
