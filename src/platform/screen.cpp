#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvalis {

namespace {
QScreen* Primary() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}
} // namespace

int TScreen::Width() const {
    if (FOverride.Width)
        return *FOverride.Width;
    QScreen* s = Primary();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const {
    if (FOverride.Height)
        return *FOverride.Height;
    QScreen* s = Primary();
    return s ? s->geometry().height() : 768;
}

int TScreen::BitsPerPixel() const {
    if (FOverride.BitsPerPixel)
        return *FOverride.BitsPerPixel;
    QScreen* s = Primary();
    return s ? s->depth() : 32;
}

int TScreen::PixelsPerInch() const {
    if (FOverride.PixelsPerInch)
        return *FOverride.PixelsPerInch;
    QScreen* s = Primary();
    return s ? int(s->logicalDotsPerInchY() + 0.5) : 96;
}

double TScreen::DevicePixelRatio() const {
    if (FOverride.DevicePixelRatio)
        return *FOverride.DevicePixelRatio;
    QScreen* s = Primary();
    return s ? s->devicePixelRatio() : 1.0;
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

TScreenOverride::TScreenOverride(const TScreen::TOverride& values) : FPrevious(Screen().Override()) {
    Screen().SetOverride(values);
}

TScreenOverride::~TScreenOverride() {
    Screen().SetOverride(FPrevious);
}

} // namespace orvalis
