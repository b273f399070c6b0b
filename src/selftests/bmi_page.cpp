#include "selftests/bmi_page.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/paths.h"
#include "platform/shape.h"
#include "selftests/bmi.h"
#include "selftests/section_file.h"

namespace orvalis {

namespace {

constexpr const char* AdviceFile = "D\\BMI.dat";
constexpr const char* CrLf = "\r\n";

TEdit* MakeNumberEdit(TWinControl* parent, int top, const std::string& hint) {
    auto* edit = new TEdit(parent);
    edit->SetBounds(35, top, 120, 20);
    edit->SetBorderStyle(TBorderStyle::bsNone);
    edit->SetColor(clWhite);
    edit->SetHint(hint);
    edit->SetShowHint(true);
    return edit;
}

} // namespace

TBmiPage::TBmiPage(TPageHost& host, TWinControl* page) : FHost(host) {
    BMITestBk = MakeBackground(page);
    MakeHeaderPair(page, 610, "Body Mass Index (BMI) Test", BMITestHeader, BMITestHeaderBk);
    BMITestExpLbl = MakeLabel(page, Bounds(35, 40, 120, 90),
                              "Vul hieronder je lengte en je gewicht in, druk vervolgens op de knop "
                              "\"Bereken BMI\" om jouw persoonlijke BMI te berekenen",
                              {});
    BMITestExpLbl->SetWordWrap(true);
    BMITestLengthHeaderLbl = MakeLabel(page, Bounds(35, 150, 120, 14), "Lengte (cm)", {});
    BMITestLengthEdit = MakeNumberEdit(page, 165, "Vul hier je lengte in cm's in");
    BMITestWeightHeaderLbl = MakeLabel(page, Bounds(35, 195, 120, 14), "Gewicht (kg)", {});
    BMITestWeightEdit = MakeNumberEdit(page, 210, "Vul hier je gewicht in kg in");
    BMITestCalculateBtn =
        MakeButton(page, Bounds(35, 255, 120, 18), "Bereken BMI", "BMI berekenen", TFace::Drawn);
    BMITestCalculateBtn->OnClick = [this](TObject* sender) { BMITestCalculateBtnClick(sender); };
    // Enter in either field computes, as the button does.
    for (TEdit* edit : {BMITestLengthEdit, BMITestWeightEdit})
        edit->OnKeyDown = [this](TObject*, int& key, TShiftState shift) {
            if (key == vkReturn && shift == 0) {
                key = 0;
                BMITestCalculateBtnClick(BMITestCalculateBtn);
            }
        };
    BMITestResultText = MakeLabel(page, Bounds(180, 40, 400, 300), "", {});
    BMITestResultText->SetWordWrap(true);
    BMIGauge = new TShape(page);
    BMIGauge->SetBounds(589, 40, 30, 300);
    BMIGauge->Brush().SetColor(clLime);
    BMIGauge->Pen().SetColor(clLime);
}

void TBmiPage::AdaptColors() {
    for (TLabel* label : {BMITestHeader, BMITestHeaderBk})
        AdaptToScreen(*label);
}

void TBmiPage::BMITestBtnClick(TObject* Sender) {
    const TActionScope action(FHost);
    FHost.OpenSelfTestPage(TSelfTestPage::BMITest);
    BMITestLengthEdit->SetText("");
    BMITestWeightEdit->SetText("");
    BMITestResultText->SetCaption("");
    AppendBmiSection("start");
    FHost.UpdateStatus(Sender);
}

void TBmiPage::BMITestCalculateBtnClick(TObject*) {
    const TBmiResult result =
        ComputeBmi(ParseBmiNumber(BMITestLengthEdit->Text()), ParseBmiNumber(BMITestWeightEdit->Text()));
    if (!result.Class) {
        BMITestResultText->SetCaption("Kan BMI niet berekenen");
        return;
    }
    BMITestResultText->SetCaption("Uw BMI is " + std::to_string(result.Rounded) + CrLf + CrLf);
    AppendBmiSection(result.Class->Section);
    BMIGauge->Brush().SetColor(result.Class->Color);
    BMIGauge->Pen().SetColor(result.Class->Color);
}

void TBmiPage::AppendBmiSection(const std::string& name) {
    std::string text = BMITestResultText->Caption();
    for (const std::string& line : ReadSectionLines(ProgramPath(AdviceFile), name))
        text += line + CrLf;
    BMITestResultText->SetCaption(text);
}

} // namespace orvalis
