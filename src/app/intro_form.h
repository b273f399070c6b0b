#pragma once

#include "platform/form.h"

namespace orvalis {

class TBkControl;
class TGauge;
class TLabel;
class TPanel;

// The splash: a borderless, stay-on-top, centred 282x282 window with the program's built-in picture, the
// loading text and the gauge the record database advances while it loads.
class TIntroForm : public TForm {
public:
    TIntroForm();
    ~TIntroForm() override;

    void FormCreate();
    void FormDestroy();
    void FormCloseQuery(TObject* Sender, bool& CanClose);

    const TPalette* GetPalette() const override;

    TPanel* BackgroundPnl = nullptr;
    TBkControl* IntroFormImg = nullptr;
    TLabel* Text = nullptr;
    TGauge* Gauge = nullptr;
};

// The splash while it exists (from its creation until the main window is first shown), or none.
TIntroForm* IntroForm();
// Shows the splash and brings it to the front; creates it first when it does not exist.
void ShowIntroForm();
// Frees the splash when it exists.
void FreeIntroForm();

} // namespace orvalis
