#include "app/intro_page.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "controls/parser_control.h"
#include "platform/paths.h"
#include "platform/scroll_box.h"

namespace orvalis {

TIntroPage::TIntroPage(TWinControl* page) {
    IntroBk = MakeBackground(page);
    const auto entry = [page](int top, const char* caption) {
        return MakeButton(page, Bounds(20, top, 150, 18), caption, "", TFace::None);
    };
    EntryIntroBtn = entry(30, "Orvalis");
    QuizIntroBtn = entry(93, "Doe de Orvakwis!");
    BMITestIntroBtn = entry(155, "Ben ik te zwaar?");
    DisclaimerIntroBtn = entry(223, "Disclaimer");
    HintTextCtrl = new TScrollBox(page);
    HintTextCtrl->SetBounds(210, 28, 400, 340);
    HintTextCtrl->SetVertScrollIncrement(30);
    HintTextCtrl->SetHorzScrollBarVisible(false);
}

void TIntroPage::CreateRenderer() {
    HintText = MakeRenderer(HintTextCtrl);
}

void TIntroPage::ShowHint(const TObject* Sender) {
    const char* hint = Sender == EntryIntroBtn        ? "D\\1.Hnt"
                       : Sender == QuizIntroBtn       ? "D\\2.Hnt"
                       : Sender == BMITestIntroBtn    ? "D\\3.Hnt"
                       : Sender == DisclaimerIntroBtn ? "D\\4.Hnt"
                                                      : nullptr;
    if (!hint || !HintText)
        return;
    HintText->SetText(nullptr);
    HintText->LoadFromFile(ProgramPath(hint));
}

} // namespace orvalis
