#include "app/window_status.h"
#include "reading/reading_state.h"

namespace orvalis {

TFaceColors RestingFaceColors(uint8_t navFlags) {
    if (navFlags & nfHyperLink)
        return {TColor::FromRgb(0xCBD2B8), TColor::FromRgb(0x577F00)};
    return {TColor::FromRgb(0xF8E4B2), TColor::FromRgb(0xEAD291)};
}

TFaceColors PressedFaceColors(uint8_t navFlags) {
    if (navFlags & nfHyperLink)
        return {TColor::FromRgb(0x577F00), TColor::FromRgb(0xCBD2B8)};
    return {TColor::FromRgb(0xFAD2C4), TColor::FromRgb(0xF9BEA3)};
}

TWindowStatus ComputeWindowStatus(const TStatusInput& in) {
    const uint8_t flags = in.NavFlags;
    const auto has = [flags](uint8_t f) { return (flags & f) != 0; };
    TWindowStatus s;
    if (has(nfContent)) {
        s.NavPage = TNavPage::Content;
        if (has(nfSection1))
            s.ContentCaption = "Aandoeningen & Remedies";
        else if (has(nfSection2))
            s.ContentCaption = "Voedingsstoffen Algemeen";
        else if (has(nfSection3))
            s.ContentCaption = "Voedingsstoffen Specifiek";
    } else if (has(nfSearch)) {
        s.NavPage = TNavPage::Search;
    } else if (has(nfHyperLink)) {
        s.NavPage = TNavPage::HyperLink;
    }
    s.SetTextButtonColors = s.NavPage != TNavPage::Unchanged;
    s.TextButtonColors = RestingFaceColors(flags);

    s.BtnPnlVisible = !in.IntroPageShown;
    s.ContentLstVisible = in.ContentLines > 0;
    s.GoToBtnVisible = has(nfContent) && in.HistoryLines > 0;
    s.MainTextVisible = in.TextShown;
    s.ClipBrdBtnVisible = in.HasDatabase && in.SelectedCount > 0 && in.CursorOrdinal > 0;
    s.PrintBtnVisible = s.ClipBrdBtnVisible && in.PrinterInstalled;

    const bool switchable = has(nfContent) && has(nfSection1);
    s.ExtraInfoBtn = {switchable, switchable && !has(nfExtraInfo) && in.ExtraInfoOrdinal != 0};
    s.RecipeBtn = {switchable, switchable && !has(nfRecipe) && in.RecipeOrdinal != 0};
    s.MainInfoBtn = {switchable, switchable && has(nfExtraInfo | nfRecipe)};

    s.SectionBtnsVisible = has(nfContent) && !has(nfSearch | nfHyperLink);
    s.MainMenuBtnVisible = !has(nfSearch | nfHyperLink);
    s.BackBtnVisible = has(nfSearch | nfHyperLink);
    return s;
}

} // namespace orvalis
