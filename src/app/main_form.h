#pragma once

#include "app/intro_page.h"
#include "app/window_status.h"
#include "content/idb_rec_file.h"
#include "controls/base_btn.h"
#include "controls/parser_control.h"
#include "controls/text_control.h"
#include "host/page_host.h"
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
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvalis {

class TBkControl;
class TLabel;
class TPage;
class TPageStack;
class TPanel;

// Raised while the main window is created on a screen smaller than the smallest layout; the entry ends
// the process with exit code 1 and no message.
class EScreenTooSmall : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's working window: borderless, stay-on-top, as large as the screen, with the content panel of
// the chosen layout centred in it. Creating it lays out the 640x480 design, scales it for the screen and
// loads the record database behind the splash. Controls belong to the window (parent-owns-children).
class TMainForm : public TForm, public TPageHost {
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
    void LoadBackground(const std::string& stem, TBackground& target);
    void LoadPictures(TPictureRow row) override;
    void OpenSelfTestPage(TSelfTestPage page) override;

    // Navigation between pages, sections and modes; every handler ends in UpdateStatus.
    void EntryBtnClick(TObject* Sender);
    void EnterBook(TObject* Sender) override;
    void BackBtnClick(TObject* Sender);
    void MainMenuBtnClick(TObject* Sender);
    void ResetBtnClick(TObject* Sender) override;
    // Makes every control agree with the navigation state, once an action.
    void UpdateStatus(TObject* Sender) override;
    void ApplyStatusSoFar() override;
    void AfterStatus(std::function<void()> task) override;
    void BeginAction() override;
    void EndAction() override;
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

    // The pages and panes, each with its controls and handlers: the intro page, the reading areas, the two
    // output buttons, the quiz and the BMI test.
    std::unique_ptr<TIntroPage> Intro;
    std::unique_ptr<TContentsPane> Contents;
    std::unique_ptr<TTopicDisplay> Topic;
    std::unique_ptr<TKeywordSearch> Search;
    std::unique_ptr<TCrossReferences> CrossReferences;
    std::unique_ptr<TClipboardCopy> ClipboardCopy;
    std::unique_ptr<TTextPrinter> TextPrinter;
    std::unique_ptr<TQuizPage> Quiz;
    std::unique_ptr<TBmiPage> Bmi;

    // Where the reader is, the database and the topic on display, shared with the reading areas.
    TReadingState State;

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
    // The left column of the main page: the contents, the search and the links.
    TPageStack* NavPages = nullptr;
    TPage* ContentPage = nullptr;
    TPage* SearchPage = nullptr;
    TPage* HyperLinkPage = nullptr;

    TPanel* BtnPnl = nullptr;
    TBkControl* BtnPnlBk = nullptr;
    TBaseBtn* Entry1Btn = nullptr;
    TBaseBtn* Entry2Btn = nullptr;
    TBaseBtn* Entry3Btn = nullptr;
    TBaseBtn* SearchBtn = nullptr;
    TBaseBtn* BackBtn = nullptr;
    TBaseBtn* MainMenuBtn = nullptr;

    // How often the window applied its status; tests count the refreshes of one action.
    int StatusApplications() const { return FStatusApplications; }

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
    // The status for the navigation state, and its application to the controls.
    TStatusInput StatusInput();
    void ApplyStatus(const TStatusInput& input);
    // The status an open action noted last, applied as the outermost action ends or before a message round.
    void ApplyNotedStatus();
    int FActionDepth = 0;
    std::optional<TStatusInput> FNotedStatus;
    std::vector<std::function<void()>> FAfterStatus;
    int FStatusApplications = 0;
    // Chooses the layout for the screen and scales the window to it.
    void ChooseVariantAndScale();
    void PlaceOnScreen();
    void SetRendererOffsets();
    std::vector<GTextControl*> Lists() const;
    // The button strip's buttons, left to right.
    std::array<TBaseBtn*, 6> StripButtons() const {
        return {Entry1Btn, Entry2Btn, Entry3Btn, SearchBtn, BackBtn, MainMenuBtn};
    }
    static void SetCursors(TWinControl& parent);
    // The background pictures decoded so far, by file name, with the file's size and time when read.
    struct TLoadedPicture {
        std::uintmax_t Size = 0;
        std::filesystem::file_time_type Time;
        TPicture Picture;
    };
    std::map<std::string, TLoadedPicture> FLoadedPictures;
    // The picture file each area shows, with the graphic it was given: the same unchanged file loaded into
    // it again leaves it as it is, so that every entry into a page does not paint its areas anew.
    struct TShownPicture {
        std::string Name;
        const TGraphic* Graphic = nullptr;
    };
    std::map<const TBackground*, TShownPicture> FShownPictures;
    bool Shows(const TBackground& target, const std::string& name) const;
    // Gives the area the picture (none clears it), read from the named file; an empty name for a picture
    // that is not to be kept.
    void Show(TBackground& target, const TPicture& picture, const std::string& name);
    // The page's picture under the text as well.
    void ShowUnderText(GCustomParserControl& text, const TBackground& page);
    // Whether the system has a printer; asked once, not while the window is first shown.
    bool PrinterInstalled();
    std::optional<bool> FPrinterInstalled;
    bool FPrinterCheckDeferred = false;
    // Binds the navigation and feedback handlers to the controls.
    void BindHandlers();
    void SetUpReadingComforts();
    // The text size keys (Ctrl+plus, Ctrl+minus, Ctrl+0) and F3, Shift+F3 between the marked hits of the
    // topic on display; whether the key was used.
    bool ReadingComfortKeyDown(int Key, TShiftState Shift);
    // Tab visits the controls in reading order: left column, text, text buttons, button strip, header.
    void SetReadingTabOrder();
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
