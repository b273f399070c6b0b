#include "platform/radio_button.h"
#include "platform/qt_text.h"

#include <QRadioButton>

namespace orvalis {

namespace {
QRadioButton* ButtonOf(const TRadioButton& b) {
    return static_cast<QRadioButton*>(b.Widget());
}
} // namespace

TRadioButton::TRadioButton(TWinControl* parent) : TControl(parent, std::make_unique<QRadioButton>()) {
    QObject::connect(ButtonOf(*this), &QRadioButton::clicked, [this] { Click(); });
    SetBounds(0, 0, 113, 17);
}

std::string TRadioButton::Caption() const {
    return ToCp1252(ButtonOf(*this)->text());
}

void TRadioButton::SetCaption(const std::string& value) {
    ButtonOf(*this)->setText(FromCp1252(value));
}

bool TRadioButton::Checked() const {
    return ButtonOf(*this)->isChecked();
}

void TRadioButton::SetChecked(bool value) {
    QRadioButton* button = ButtonOf(*this);
    // Qt keeps the checked button of an exclusive group checked; unchecking it by the program must work,
    // so the exclusion is lifted for that one change.
    if (!value && button->isChecked()) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
        return;
    }
    button->setChecked(value);
}

} // namespace orvalis
