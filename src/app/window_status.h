#pragma once

#include "platform/color.h"

#include <cstdint>
#include <string>

namespace orvalis {

// What the main window shows for its navigation state: the pure part of UpdateStatus.
struct TStatusInput {
    uint8_t NavFlags = 0;
    bool IntroPageShown = false;
    int ContentLines = 0;
    int HistoryLines = 0;
    bool TextShown = false;
    bool HasDatabase = false;
    int32_t SelectedCount = 0;
    int32_t CursorOrdinal = 0;
    bool PrinterInstalled = false;
    int32_t ExtraInfoOrdinal = 0;
    int32_t RecipeOrdinal = 0;
};

enum class TNavPage { Unchanged, Content, Search, HyperLink };

// A face button's brush and pen colours.
struct TFaceColors {
    TColor Brush;
    TColor Pen;
    friend bool operator==(const TFaceColors&, const TFaceColors&) = default;
};

struct TButtonStatus {
    bool Visible = false;
    bool Enabled = false;
    friend bool operator==(const TButtonStatus&, const TButtonStatus&) = default;
};

struct TWindowStatus {
    TNavPage NavPage = TNavPage::Unchanged;
    // The resting colours of "Klembord" and "Afdrukken"; unchanged outside the three reading modes.
    bool SetTextButtonColors = false;
    TFaceColors TextButtonColors{};
    // The section's name over the contents; empty leaves the caption as it is.
    std::string ContentCaption;
    bool BtnPnlVisible = false;
    bool ContentLstVisible = false;
    bool GoToBtnVisible = false;
    bool MainTextVisible = false;
    bool ClipBrdBtnVisible = false;
    bool PrintBtnVisible = false;
    TButtonStatus MainInfoBtn, ExtraInfoBtn, RecipeBtn;
    bool SectionBtnsVisible = false;
    bool MainMenuBtnVisible = false;
    bool BackBtnVisible = false;
};

TWindowStatus ComputeWindowStatus(const TStatusInput& input);

// The colours of the text buttons at rest and while pressed, by mode: green in cross-reference mode, the
// book's sand colours in every other.
TFaceColors RestingFaceColors(uint8_t navFlags);
TFaceColors PressedFaceColors(uint8_t navFlags);

} // namespace orvalis
