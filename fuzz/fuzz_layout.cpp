// Lays out arbitrary bytes as markup on the recording canvas, measuring and painting, and checks that a
// repaint from the kept layout gives the same hit areas as the layout itself.
#include "controls/markup_layout.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::pair<orvalis::TRect, std::string>> Areas(orvalis::TPointerChain& links) {
    std::vector<std::pair<orvalis::TRect, std::string>> out;
    for (int32_t i = 1; i <= links.Count(); ++i) {
        const auto* a = static_cast<const orvalis::THyperLinkArea*>(links.Get(i));
        out.emplace_back(a->Area, a->HRef);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static const orvalis::TBitmap picture(30, 45);
    orvalis::TFont font, linkFont;
    linkFont.SetStyle(orvalis::TFontStyle::fsUnderline);
    orvalis::TMarkupContext context;
    context.Width = 20 + data[0] * 4;
    context.Font = &font;
    context.HyperLinkFont = &linkFont;
    context.HorScrollBar = (data[0] & 1) != 0;
    context.HasParent = true;
    context.ParentWidth = context.Width;
    context.ParentHeight = 100;
    context.FindImage = [](std::string_view name) -> const orvalis::TGraphic* {
        return !name.empty() && name[0] == 'p' ? &picture : nullptr;
    };
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    orvalis::RecordingCanvas canvas(7, 13);
    orvalis::TMarkupLayout layout;
    orvalis::TPointerChain links("HyperLinks");
    int xMax = context.Width, yMax = 0;
    layout.Run(text, canvas, orvalis::TMarkupPass::Measure, context, xMax, yMax, links);
    const auto measured = Areas(links);
    layout.Run(text, canvas, orvalis::TMarkupPass::Paint, context, xMax, yMax, links);
    if (Areas(links) != measured || yMax <= 0)
        __builtin_trap();
    orvalis::ClearHyperLinks(links);
    return 0;
}
