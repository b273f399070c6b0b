#include "platform/measure_canvas.h"
#include "platform/qt_canvas.h"

#include <QImage>

namespace orvalis {

namespace {
TMeasureCanvasFactory& Factory() {
    static TMeasureCanvasFactory factory;
    return factory;
}

// A QtCanvas that owns the small image it measures on.
class TOffscreenMeasureCanvas : public QtCanvas {
public:
    TOffscreenMeasureCanvas() : QtCanvas(&FImage) {}
    ~TOffscreenMeasureCanvas() override { Release(); }

private:
    QImage FImage{1, 1, QImage::Format_RGB32};
};
} // namespace

std::unique_ptr<TCanvas> CreateMeasureCanvas() {
    if (Factory())
        return Factory()();
    return std::make_unique<TOffscreenMeasureCanvas>();
}

TMeasureCanvasFactory SetMeasureCanvasFactory(TMeasureCanvasFactory factory) {
    return std::exchange(Factory(), std::move(factory));
}

} // namespace orvalis
