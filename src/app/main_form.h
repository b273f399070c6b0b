#pragma once

#include "content/idb_rec_file.h"
#include "controls/base_btn.h"
#include "controls/parser_control.h"
#include "controls/text_control.h"
#include "imaging/pmulti_image.h"
#include "output/clipboard_copy.h"
#include "output/text_printer.h"
#include "platform/form.h"
#include "reading/contents_pane.h"
#include "reading/cross_references.h"
#include "reading/keyword_search.h"
#include "reading/reading_state.h"
#include "reading/topic_display.h"
#include "selftests/bmi_page.h"
#include "selftests/quiz_page.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
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

// The program's working window: borderless, stay-on-top, as large as the screen, with the content panel of
// the chosen layout centred in it. Creating it lays out the 640x480 design, scales it for the screen and
// loads the record database behind the splash. Controls belong to the window (parent-owns-children).
class TMainForm : public TForm, public TReadingState, public TReadingHost {
public:
    TMainForm();
    ~TMainForm() override;

    // The window's handlers.
    void FormCreate();
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    // The pause that ends the close query and keeps the farewell on screen; tests that close the window set
    // it to zero.
    std::chrono::milliseconds FarewellPause{2000};
    // Raised as the pause begins, with the farewell on the screen.
    TNotifyEvent OnFarewellPause;
    void FormMinimize(TObject* Sender);
    void FormRestore(TObject* Sender);
    // A second copy of the program asked this one to come to the front.
    void WMShowInstance();

    // Loads "I\B\" + stem + the variant's suffix into the background; a missing or undecodable file leaves
    // it without a picture.
    void LoadBackground(const std::string& stem, TBackground& target) override;

    // Navigation between pages, sections and modes; every handler ends in UpdateStatus.
    void EntryBtnClick(TObject* Sender) override;
    void BackBtnClick(TObject* Sender);
    void MainMenuBtnClick(TObject* Sender);
    void ResetBtnClick(TObject* Sender) override;
    // Makes every control agree with the navigation state.
    void UpdateStatus(TObject* Sender) override;
    // Back and forward through the topics shown in this session (Alt+Left, Alt+Right, Backspace, the
    // mouse's side buttons): a step shows its topic again in the mode, section and text it was shown in,
    // scrolled as the reader left it. The history list stays as it is.
    void TrailBack(TObject* Sender);
    void TrailForward(TObject* Sender);
    void FormXButtonDown(TObject* Sender, TMouseButton Button);
    void MinimizeBtnClick(TObject* Sender);
    void QuitBtnClick(TObject* Sender);
    void MainTextClick(TObject* Sender);
    // The header's "i" and "?" buttons, defined with the about box.
    void InfoBtnClick(TObject* Sender);
    void HelpBtnClick(TObject* Sender);
    // The window's keys, heard before the control with the focus: Ctrl+F, Escape, Ctrl+P, Ctrl+Shift+C, F1,
    // the text size keys, F3 and Shift+F3, back and forward, and the quiz page's keys.
    void FormKeyDown(TObject* Sender, int& Key, TShiftState Shift);
    // The text size of the topic and hint texts for this session, in percent (one of TextZoomSteps).
    int TextZoom() const;
    void SetTextZoom(int percent);
    // "A–" and "A+": one size step down or up.
    void TextSizeBtnClick(TObject* Sender);
    void MainTextCtrlCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
    void HintTextCtrlCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);

    // Feedback on the buttons: the underline under the pointer, the intro page's hints, pressed colours.
    void BtnMouseIn(TObject* Sender);
    void BtnMouseOut(TObject* Sender);
    void aBtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void aBtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // The reading areas and the clipboard button, each with its controls and handlers.
    std::unique_ptr<TContentsPane> Contents;
    std::unique_ptr<TTopicDisplay> Topic;
    std::unique_ptr<TKeywordSearch> Search;
    std::unique_ptr<TCrossReferences> CrossReferences;
    std::unique_ptr<TClipboardCopy> ClipboardCopy;
    // The quiz and the BMI test, each with its page's controls and handlers.
    std::unique_ptr<TQuizPage> Quiz;
    std::unique_ptr<TBmiPage> Bmi;
    std::unique_ptr<TTextPrinter> TextPrinter;

    const TPalette* GetPalette() const override;

    // The hidden loader of every background picture.
    TPMultiImage anImage;

    TPanel* MainFormPanel = nullptr;

    TPanel* HeaderPnl = nullptr;
    TBkControl* HeaderBk = nullptr;
    TLabel* CaptionLblBk = nullptr;
    TBaseBtn* InfoBtn = nullptr;
    TLabel* CaptionLbl = nullptr;
    TBaseBtn* HelpBtn = nullptr;
    TBaseBtn* MinimizeBtn = nullptr;
    TBaseBtn* QuitBtn = nullptr;
    TLabel* CaptionSubLbl = nullptr;

    TPageStack* MainPages = nullptr;
    TPage* IntroPage = nullptr;
    TPage* MainPage = nullptr;
    TPage* QuizPage = nullptr;
    TPage* BMITestPage = nullptr;

    TPanel* BtnPnl = nullptr;
    TBkControl* BtnPnlBk = nullptr;
    TBaseBtn* Entry1Btn = nullptr;
    TBaseBtn* Entry2Btn = nullptr;
    TBaseBtn* Entry3Btn = nullptr;
    TBaseBtn* SearchBtn = nullptr;
    TBaseBtn* BackBtn = nullptr;
    TBaseBtn* MainMenuBtn = nullptr;

    // Page "IntroPage".
    TBkControl* IntroBk = nullptr;
    TBaseBtn* EntryIntroBtn = nullptr;
    TBaseBtn* QuizIntroBtn = nullptr;
    TBaseBtn* BMITestIntroBtn = nullptr;
    TBaseBtn* DisclaimerIntroBtn = nullptr;
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
    GTextControl* ContentLst = nullptr;
    std::array<TBaseBtn*, TContentsPane::LetterCount> BaseBtns{};
    TBaseBtn* GoToBtn = nullptr;
    TPanel* GoToPnl = nullptr;
    TBkControl* GoToPnlBk = nullptr;
    GTextControl* GoToLst = nullptr;
    TLabel* SearchHeaderBk = nullptr;
    TLabel* SearchHeader = nullptr;
    TLabel* SearchEditLbl = nullptr;
    TEdit* SearchEdit = nullptr;
    TLabel* SearchEditExpLbl = nullptr;
    GTextControl* QueryResultsLst = nullptr;
    TLabel* QueryResultsLstLbl = nullptr;
    TLabel* HyperLinkHeaderBk = nullptr;
    TLabel* HyperLinkHeader = nullptr;
    TLabel* HLQueryResultsLst1Lbl = nullptr;
    GTextControl* HLQueryResultsLst1 = nullptr;
    TLabel* HLQueryResultsLst2Lbl = nullptr;
    GTextControl* HLQueryResultsLst2 = nullptr;
    TBkControl* MainBk = nullptr;
    TLabel* MainTextHeaderBkLbl = nullptr;
    TLabel* MainTextHeaderLbl = nullptr;
    TScrollBox* MainTextCtrl = nullptr;
    TGauge* SearchGauge = nullptr;
    TBaseBtn* MainInfoBtn = nullptr;
    TBaseBtn* ExtraInfoBtn = nullptr;
    TBaseBtn* RecipeBtn = nullptr;
    TBaseBtn* MainTextToClipBrdBtn = nullptr;
    TBaseBtn* MainTextPrintBtn = nullptr;
    TBaseBtn* TextSmallerBtn = nullptr;
    TBaseBtn* TextLargerBtn = nullptr;

    // Pages "QuizPage" and "BMITestPage".
    TBkControl* QuizBk = nullptr;
    TLabel* QuizHeaderBk = nullptr;
    TLabel* QuizHeader = nullptr;
    TBkControl* BMITestBk = nullptr;
    TLabel* BMITestHeaderBk = nullptr;
    TLabel* BMITestHeader = nullptr;

    // The two renderers, created by FormCreate inside MainTextCtrl and HintTextCtrl.
    GParserControl* MainText = nullptr;
    GParserControl* HintText = nullptr;

    // The quiz's lines; none after the close query freed them.
    std::unique_ptr<std::vector<std::string>> QuizLines;

private:
    // The 640x480 design: every control with its design position, size, colours and fonts.
    void CreateControls();
    void CreateHeader();
    void CreateButtonStrip();
    void CreateIntroPage();
    void CreateMainPage();
    void CreateSelfTestPages();
    // Design colours replaced by what an 8-bit screen can show.
    void AdaptColors();
    // Chooses the layout for the screen and scales the window to it.
    void ChooseVariantAndScale();
    void PlaceOnScreen();
    GParserControl* CreateRenderer(TScrollBox* box);
    void SetRendererOffsets();
    std::vector<GTextControl*> Lists() const;
    static void SetCursors(TWinControl& parent);
    // The background pictures decoded so far, by file name, with the file's size and time when read.
    struct TLoadedPicture {
        std::uintmax_t Size = 0;
        std::filesystem::file_time_type Time;
        TPicture Picture;
    };
    std::map<std::string, TLoadedPicture> FLoadedPictures;
    // Whether the system has a printer; asked once, not while the window is first shown.
    bool PrinterInstalled();
    std::optional<bool> FPrinterInstalled;
    bool FPrinterCheckDeferred = false;
    // Binds the navigation and feedback handlers to the controls.
    void BindHandlers();
    void CreateTextSizeButtons();
    void SetUpReadingComforts();
    // The text size keys (Ctrl+plus, Ctrl+minus, Ctrl+0) and F3, Shift+F3 between the marked hits of the
    // topic on display; whether the key was used.
    bool ReadingComfortKeyDown(int Key, TShiftState Shift);
    // Tab visits the controls in reading order: left column, text, text buttons, button strip, header.
    void SetReadingTabOrder();
    // The pictures of reading a section: header, right column (also under the text), button strip, and
    // the contents page's own on the first visit.
    void LoadReadingPictures();
    void ShowTrailStop(TObject* Sender, const TTrailStop& stop);
    // Selects the line of the ordinal in the list, one line of context above it; false when there is none.
    bool SelectTrailLine(GTextControl& list, const TTrailStop& stop);
    std::vector<TControl*> FTabOrder;
    // Once the reader uses the keyboard, a new page takes the focus to its first control in reading order,
    // unless the focus is on the page already.
    void FocusNewPage();
    TPage* FFocusedPage = nullptr;
    // The page shown in MainPages.
    bool IntroPageShown() const;
};

} // namespace orvalis
