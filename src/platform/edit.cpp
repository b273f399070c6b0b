#include "platform/edit.h"
#include "platform/cp1252.h"
#include "platform/qt_keys.h"
#include "platform/qt_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace orvalis {

namespace {
// Keeps out what Windows-1252 cannot hold.
class TCp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (c.unicode() != 0 && UnicodeToCp1252(c.unicode()) == 0)
                return Invalid;
        return Acceptable;
    }
};

class TEditWidget : public QLineEdit {
public:
    TEdit* Owner = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const TPaintBatch batch;
        const TShiftState shift = ShiftOf(e->modifiers(), Qt::NoButton);
        int key = VirtualKey(e->key());
        if (Owner && key != 0) {
            Owner->KeyDown(key, shift);
            if (key == 0)
                return;
        }
        QLineEdit::keyPressEvent(e);
    }
};

TEditWidget* EditOf(const TEdit& edit) {
    return static_cast<TEditWidget*>(edit.Widget());
}
} // namespace

TEdit::TEdit(TWinControl* parent) : TControl(parent, std::make_unique<TEditWidget>()) {
    TEditWidget* w = EditOf(*this);
    w->Owner = this;
    w->setValidator(new TCp1252Validator(w));
    QObject::connect(w, &QLineEdit::textChanged, [this] {
        if (OnChange)
            OnChange(this);
    });
    SetBounds(0, 0, 121, 21);
    ApplyFont();
}

void TEdit::Changed() {
    ApplyFont();
    TControl::Changed();
}

void TEdit::ApplyFont() {
    QFont font = ToQFont(Font());
    // The field keeps the smoothed text of its own widget: unsmoothed, it draws otherwise on 16-bit screens.
    font.setStyleStrategy(QFont::PreferDefault);
    EditOf(*this)->setFont(font);
}

std::string TEdit::Text() const {
    return ToCp1252(EditOf(*this)->text());
}

void TEdit::SetText(const std::string& value) {
    if (value == Text())
        return;
    EditOf(*this)->setText(FromCp1252(value));
}

void TEdit::SelectAll() {
    EditOf(*this)->selectAll();
}

int TEdit::MaxLength() const {
    return EditOf(*this)->maxLength();
}

TBorderStyle TEdit::BorderStyle() const {
    return EditOf(*this)->hasFrame() ? TBorderStyle::bsSingle : TBorderStyle::bsNone;
}

void TEdit::SetBorderStyle(TBorderStyle value) {
    EditOf(*this)->setFrame(value == TBorderStyle::bsSingle);
}

void TEdit::SetMaxLength(int value) {
    EditOf(*this)->setMaxLength(value > 0 ? value : 32767);
}

} // namespace orvalis
