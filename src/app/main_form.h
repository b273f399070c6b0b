#pragma once

#include "app/stand_ins.h"
#include "content/idb_rec_file.h"
#include "imaging/pmulti_image.h"
#include "platform/form.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvalis {

class TBkControl;
class TEdit;
class TGauge;
class TLabel;
class TPage;
class TPageStack;
class TPanel;
class TScrollBox;

// Raised while the main window is created on a screen smaller than the smallest layout; the entry ends
// the process with exit code 1 and no message.
class EScreenTooSmall : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The navigation state: a set of these bits.
enum TNavFlag : uint8_t {
    nfContent = 0x01,
    nfExtraInfo = 0x02,
    nfRecipe = 0x04,
    nfSearch = 0x08,
    nfHyperLink = 0x10,
    nfSection1 = 0x20,
    nfSection2 = 0x40,
    nfSection3 = 0x80,
};

// The program's working window: borderless, stay-on-top, as large as the screen, with the content panel of
// the chosen layout centred in it. Creating it lays out the 640x480 design, scales it for the screen and
// loads the record database behind the splash. Controls belong to the window (parent-owns-children).
class TMainForm : public TForm {
public:
    TMainForm();
    ~TMainForm() override;

    // The window's handlers.
    void FormCreate();
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormMinimize(TObject* Sender);
    void FormRestore(TObject* Sender);
    // A second copy of the program asked this one to come to the front.
    void WMShowInstance();

    // Loads "I\B\" + stem + the variant's suffix into the background; a missing or undecodable file leaves
    // it without a picture.
    void LoadBackground(const std::string& stem, TBackground& target);

    const TPalette* GetPalette() const override;

    // The hidden loader of every background picture.
    TPMultiImage anImage;

    TPanel* MainFormPanel = nullptr;

    TPanel* HeaderPnl = nullptr;
    TBkControl* HeaderBk = nullptr;
    TLabel* CaptionLblBk = nullptr;
    TMainFormButton* InfoBtn = nullptr;
    TLabel* CaptionLbl = nullptr;
    TMainFormButton* HelpBtn = nullptr;
    TMainFormButton* MinimizeBtn = nullptr;
    TMainFormButton* QuitBtn = nullptr;
    TLabel* CaptionSubLbl = nullptr;

    TPageStack* MainPages = nullptr;
    TPage* IntroPage = nullptr;
    TPage* MainPage = nullptr;
    TPage* QuizPage = nullptr;
    TPage* BMITestPage = nullptr;

    TPanel* BtnPnl = nullptr;
    TBkControl* BtnPnlBk = nullptr;
    TMainFormButton* Entry1Btn = nullptr;
    TMainFormButton* Entry2Btn = nullptr;
    TMainFormButton* Entry3Btn = nullptr;
    TMainFormButton* SearchBtn = nullptr;
    TMainFormButton* BackBtn = nullptr;
    TMainFormButton* MainMenuBtn = nullptr;

    // Page "IntroPage".
    TBkControl* IntroBk = nullptr;
    TMainFormButton* EntryIntroBtn = nullptr;
    TMainFormButton* QuizIntroBtn = nullptr;
    TMainFormButton* BMITestIntroBtn = nullptr;
    TMainFormButton* DisclaimerIntroBtn = nullptr;
    TScrollBox* HintTextCtrl = nullptr;

    // Page "MainPage": the left column's pages and the topic text.
    TPageStack* NavPages = nullptr;
    TPage* ContentPage = nullptr;
    TPage* SearchPage = nullptr;
    TPage* HyperLinkPage = nullptr;
    TBkControl* NavPage1Bk = nullptr;
    TBkControl* NavPage2Bk = nullptr;
    TBkControl* NavPage3Bk = nullptr;
    TLabel* ContentHeaderBk = nullptr;
    TLabel* ContentHeader = nullptr;
    TMainFormList* ContentLst = nullptr;
    TMainFormButton* GoToBtn = nullptr;
    TPanel* GoToPnl = nullptr;
    TBkControl* GoToPnlBk = nullptr;
    TMainFormList* GoToLst = nullptr;
    TLabel* SearchHeaderBk = nullptr;
    TLabel* SearchHeader = nullptr;
    TLabel* SearchEditLbl = nullptr;
    TEdit* SearchEdit = nullptr;
    TLabel* SearchEditExpLbl = nullptr;
    TMainFormList* QueryResultsLst = nullptr;
    TLabel* QueryResultsLstLbl = nullptr;
    TLabel* HyperLinkHeaderBk = nullptr;
    TLabel* HyperLinkHeader = nullptr;
    TLabel* HLQueryResultsLst1Lbl = nullptr;
    TMainFormList* HLQueryResultsLst1 = nullptr;
    TLabel* HLQueryResultsLst2Lbl = nullptr;
    TMainFormList* HLQueryResultsLst2 = nullptr;
    TBkControl* MainBk = nullptr;
    TLabel* MainTextHeaderBkLbl = nullptr;
    TLabel* MainTextHeaderLbl = nullptr;
    TScrollBox* MainTextCtrl = nullptr;
    TGauge* SearchGauge = nullptr;
    TMainFormButton* MainInfoBtn = nullptr;
    TMainFormButton* ExtraInfoBtn = nullptr;
    TMainFormButton* RecipeBtn = nullptr;
    TMainFormButton* MainTextToClipBrdBtn = nullptr;
    TMainFormButton* MainTextPrintBtn = nullptr;

    // Pages "QuizPage" and "BMITestPage".
    TBkControl* QuizBk = nullptr;
    TLabel* QuizHeaderBk = nullptr;
    TLabel* QuizHeader = nullptr;
    TBkControl* BMITestBk = nullptr;
    TLabel* BMITestHeaderBk = nullptr;
    TLabel* BMITestHeader = nullptr;

    // The two renderers, created by FormCreate inside MainTextCtrl and HintTextCtrl.
    TMainFormRenderer* MainText = nullptr;
    TMainFormRenderer* HintText = nullptr;

    uint8_t NavFlags = 0;
    // The record database; none after the close query freed it.
    std::unique_ptr<TiDbRecFile> RecFile;
    int32_t TopicId = 0;
    int32_t ExtraInfoOrdinal = 0;
    int32_t RecipeOrdinal = 0;
    // The quiz's lines; none after the close query freed them.
    std::unique_ptr<std::vector<std::string>> QuizLines;

private:
    // The 640x480 design: every control with its design position, size, colours and fonts.
    void CreateControls();
    void CreateHeader();
    void CreateButtonStrip();
    void CreateIntroPage();
    void CreateMainPage();
    void CreateNavPages();
    void CreateSelfTestPages();
    // Design colours replaced by what an 8-bit screen can show.
    void AdaptColors();
    // Chooses the layout for the screen and scales the window to it.
    void ChooseVariantAndScale();
    void PlaceOnScreen();
    TMainFormRenderer* CreateRenderer(TScrollBox* box);
    void SetRendererOffsets();
    std::vector<TMainFormList*> Lists() const;
};

} // namespace orvalis
