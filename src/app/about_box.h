#pragma once

#include "platform/form.h"

namespace orvalis {

class TBaseBtn;
class TPanel;
class TProportionalImage;

// The about box: a borderless, stay-on-top, centred 329x329 window showing the about picture in a 2-pixel
// black frame, with two invisible link areas over the publisher's and the maker's marks. It closes (hides)
// when another window is activated and on the release of Enter or Escape without modifier keys.
class TAboutBox : public TForm {
public:
    TAboutBox();
    ~TAboutBox() override;

    void FormCreate();
    void FormDestroy();
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDeactivate(TObject* Sender);
    void FormKeyUp(TObject* Sender, int& Key, TShiftState Shift);
    void VeldhavenSBtnClick(TObject* Sender);
    void BrantwellSBtnClick(TObject* Sender);

    const TPalette* GetPalette() const override;

    TPanel* BkPanel = nullptr;
    TProportionalImage* AboutBoxImage = nullptr;
    TBaseBtn* VeldhavenSBtn = nullptr;
    TBaseBtn* BrantwellSBtn = nullptr;

private:
    // Opens the web page, closes the box and takes the program to the task bar, whether or not a browser
    // opened.
    void FollowLink(const char* address);
};

// The about box while it exists (from its creation until it is freed), or none.
TAboutBox* AboutBox();
// Shows the about box (modeless) and brings it to the front; creates it first when it does not exist.
void ShowAboutBox();
// Frees the about box when it exists; the program does so at its end.
void FreeAboutBox();

} // namespace orvalis
