#pragma once

#include "platform/canvas.h"

#include <functional>
#include <memory>

namespace orvalis {

// A canvas for measuring text outside a paint. The default draws nowhere and measures with the platform's
// fonts; tests install a recording canvas so that measurements are exact.
using TMeasureCanvasFactory = std::function<std::unique_ptr<TCanvas>()>;

std::unique_ptr<TCanvas> CreateMeasureCanvas();
// Installs a factory (none restores the default) and answers the previous one.
TMeasureCanvasFactory SetMeasureCanvasFactory(TMeasureCanvasFactory factory);

} // namespace orvalis
