#include "platform/message_boxes.h"
#include "platform/qt_text.h"

#include <QApplication>
#include <QMessageBox>

namespace orvalis {

namespace {
class QtMessageBoxes : public TMessageBoxes {
public:
    void Information(std::string_view text) override {
        QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                                 FromCp1252(text));
    }
    void Error(std::string_view text) override {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                              FromCp1252(text));
    }
    void Beep() override { QApplication::beep(); }
};

TMessageBoxes*& Current() {
    static TMessageBoxes* current = nullptr;
    return current;
}
} // namespace

TMessageBoxes& MessageBoxes() {
    static QtMessageBoxes qt;
    return Current() ? *Current() : qt;
}

TMessageBoxes* SetMessageBoxes(TMessageBoxes* service) {
    return std::exchange(Current(), service);
}

} // namespace orvalis
