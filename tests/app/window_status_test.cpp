#include "app/window_status.h"
#include "reading/reading_state.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

// A reading state with a topic on display, from which each row changes what it is about.
TStatusInput Reading(uint8_t flags) {
    TStatusInput in;
    in.NavFlags = flags;
    in.ContentLines = 5;
    in.HistoryLines = 2;
    in.TextShown = true;
    in.HasDatabase = true;
    in.SelectedCount = 5;
    in.CursorOrdinal = 3;
    in.PrinterInstalled = true;
    in.ExtraInfoOrdinal = 4;
    in.RecipeOrdinal = 5;
    return in;
}

TEST(WindowStatus, ModesPagesCaptionsAndStripButtons) {
    struct TRow {
        uint8_t Flags;
        TNavPage Page;
        std::string Caption;
        bool SectionBtns, MainMenu, Back, GoTo;
    };
    const TRow rows[] = {
        {0, TNavPage::Unchanged, "", false, true, false, false},
        {nfContent | nfSection1, TNavPage::Content, "Aandoeningen & Remedies", true, true, false, true},
        {nfContent | nfSection2, TNavPage::Content, "Voedingsstoffen Algemeen", true, true, false, true},
        {nfContent | nfSection3, TNavPage::Content, "Voedingsstoffen Specifiek", true, true, false, true},
        {nfContent, TNavPage::Content, "", true, true, false, true},
        {nfSearch | nfSection2, TNavPage::Search, "", false, false, true, false},
        {nfHyperLink | nfSection1, TNavPage::HyperLink, "", false, false, true, false},
        {nfHyperLink, TNavPage::HyperLink, "", false, false, true, false},
    };
    for (const TRow& row : rows) {
        const TWindowStatus s = ComputeWindowStatus(Reading(row.Flags));
        SCOPED_TRACE(int(row.Flags));
        EXPECT_EQ(s.NavPage, row.Page);
        EXPECT_EQ(s.ContentCaption, row.Caption);
        EXPECT_EQ(s.SectionBtnsVisible, row.SectionBtns);
        EXPECT_EQ(s.MainMenuBtnVisible, row.MainMenu);
        EXPECT_EQ(s.BackBtnVisible, row.Back);
        EXPECT_EQ(s.GoToBtnVisible, row.GoTo);
        EXPECT_EQ(s.SetTextButtonColors, row.Page != TNavPage::Unchanged);
    }
    EXPECT_EQ(ComputeWindowStatus(Reading(nfHyperLink)).TextButtonColors,
              (TFaceColors{TColor::FromRgb(0xCBD2B8), TColor::FromRgb(0x577F00)}));
    EXPECT_EQ(ComputeWindowStatus(Reading(nfSearch)).TextButtonColors,
              (TFaceColors{TColor::FromRgb(0xF8E4B2), TColor::FromRgb(0xEAD291)}));
}

TEST(WindowStatus, ContentSwitchButtons) {
    struct TRow {
        uint8_t Flags;
        int32_t Extra, Recipe;
        TButtonStatus Info, ExtraInfo, RecipeBtn;
    };
    const TButtonStatus hidden{false, false}, off{true, false}, on{true, true};
    const TRow rows[] = {
        {nfContent | nfSection1, 4, 5, off, on, on},
        {nfContent | nfSection1, 0, 0, off, off, off},
        {nfContent | nfSection1 | nfExtraInfo, 4, 5, on, off, on},
        {nfContent | nfSection1 | nfRecipe, 4, 5, on, on, off},
        {nfContent | nfSection1 | nfRecipe, 0, 5, on, off, off},
        {nfContent | nfSection2, 4, 5, hidden, hidden, hidden},
        {nfSearch | nfSection1, 4, 5, hidden, hidden, hidden},
    };
    for (const TRow& row : rows) {
        TStatusInput in = Reading(row.Flags);
        in.ExtraInfoOrdinal = row.Extra;
        in.RecipeOrdinal = row.Recipe;
        const TWindowStatus s = ComputeWindowStatus(in);
        SCOPED_TRACE(testing::Message() << int(row.Flags) << " " << row.Extra << " " << row.Recipe);
        EXPECT_EQ(s.MainInfoBtn, row.Info);
        EXPECT_EQ(s.ExtraInfoBtn, row.ExtraInfo);
        EXPECT_EQ(s.RecipeBtn, row.RecipeBtn);
    }
}

TEST(WindowStatus, VisibilityOfListsTextAndOutputButtons) {
    TStatusInput in = Reading(nfContent | nfSection1);
    TWindowStatus s = ComputeWindowStatus(in);
    EXPECT_TRUE(s.BtnPnlVisible && s.ContentLstVisible && s.MainTextVisible && s.ClipBrdBtnVisible &&
                s.PrintBtnVisible);

    in.IntroPageShown = true;
    EXPECT_FALSE(ComputeWindowStatus(in).BtnPnlVisible);
    in = Reading(nfContent | nfSection1);
    in.PrinterInstalled = false;
    s = ComputeWindowStatus(in);
    EXPECT_TRUE(s.ClipBrdBtnVisible);
    EXPECT_FALSE(s.PrintBtnVisible);
    for (auto change :
         {+[](TStatusInput& i) { i.HasDatabase = false; }, +[](TStatusInput& i) { i.SelectedCount = 0; },
          +[](TStatusInput& i) { i.CursorOrdinal = 0; }}) {
        in = Reading(nfContent | nfSection1);
        change(in);
        s = ComputeWindowStatus(in);
        EXPECT_FALSE(s.ClipBrdBtnVisible);
        EXPECT_FALSE(s.PrintBtnVisible);
    }
    in = Reading(nfContent | nfSection1);
    in.ContentLines = 0;
    in.HistoryLines = 0;
    in.TextShown = false;
    s = ComputeWindowStatus(in);
    EXPECT_FALSE(s.ContentLstVisible || s.GoToBtnVisible || s.MainTextVisible);
}

TEST(WindowStatus, PressedColoursByMode) {
    EXPECT_EQ(PressedFaceColors(nfHyperLink | nfSection2),
              (TFaceColors{TColor::FromRgb(0x577F00), TColor::FromRgb(0xCBD2B8)}));
    EXPECT_EQ(RestingFaceColors(nfHyperLink),
              (TFaceColors{TColor::FromRgb(0xCBD2B8), TColor::FromRgb(0x577F00)}));
    for (uint8_t flags : {uint8_t(0), uint8_t(nfContent | nfSection1), uint8_t(nfSearch)}) {
        EXPECT_EQ(PressedFaceColors(flags),
                  (TFaceColors{TColor::FromRgb(0xFAD2C4), TColor::FromRgb(0xF9BEA3)}));
        EXPECT_EQ(RestingFaceColors(flags),
                  (TFaceColors{TColor::FromRgb(0xF8E4B2), TColor::FromRgb(0xEAD291)}));
    }
}

} // namespace
} // namespace orvalis
