#include "controls/parser_control.h"
#include "platform/bitmap.h"

#include "content/markup_tags.h"
#include "controls/hand_cursors.h"
#include "controls/shared_palette.h"
#include "platform/canvas.h"
#include "platform/measure_canvas.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"

#include <algorithm>

namespace orvalis {

namespace {

// Texts are at most 65,535 bytes; a file far beyond that is not a text of this program and is not read.
constexpr std::uintmax_t MaxTextFileSize = 16u << 20;

// IMG names are paths below the program folder; an absolute name or one that climbs out of the folder
// finds no picture.
bool StaysInProgramFolder(std::string_view name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string_view::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = name.size();
        if (name.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

GCustomParserControl::GCustomParserControl(TWinControl* parent) : GGraphicControl(parent) {
    RegisterHandCursors();
    SetBounds(Left(), Top(), 120, 100);
    SetParentColor(true);
    FHyperLinkFont.Assign(Font());
    FHyperLinkFont.OnChange = [this](TObject*) { Invalidate(); };
    FBackground.OnChange = [this](TObject*) { Invalidate(); };
    // Paint fills the whole rectangle first.
    SetOpaque(true);
}

GCustomParserControl::~GCustomParserControl() {
    FHyperLinkFont.OnChange = nullptr;
    FBackground.OnChange = nullptr;
    ClearHyperLinks(FHyperLinks);
    ClearImageCache();
}

void GCustomParserControl::ClearImageCache() {
    FImageCache.clear();
    // The kept layout points at the cached pictures.
    FLayout.Invalidate();
}

void GCustomParserControl::SetText(const char* text) {
    FFocusedLink = 0;
    FSelectionAnchor = FSelectionCaret = 0;
    FSelecting = false;
    FMarks.clear();
    FCurrentMark = 0;
    // The link areas belong to the old text: without a new one to lay out, none may stay behind to be
    // clicked on the empty control.
    ClearHyperLinks(FHyperLinks);
    SetHeight(0);
    ClearImageCache();
    FText.reset();
    if (text != nullptr)
        FText = std::make_unique<std::string>(text);
    LayoutAndResize();
}

void GCustomParserControl::Relayout() {
    FLayout.Invalidate();
    LayoutAndResize();
}

void GCustomParserControl::LayoutAndResize() {
    FXMax = Parent() != nullptr ? Parent()->Width() : 0;
    FYMax = 0;
    if (FText) {
        const std::unique_ptr<TCanvas> canvas = CreateMeasureCanvas();
        canvas->Font() = Font();
        RunLayout(*canvas);
    } else {
        // An empty control takes its parent's size, as its paint would find.
        if (Parent() != nullptr)
            FYMax = Parent()->Height();
        PaintNow();
    }
    if (Parent() != nullptr)
        SetBounds(Left(), Top(), FXMax, FYMax);
    else
        SetHeight(FYMax);
}

void GCustomParserControl::LoadFromFile(const std::string& path) {
    if (const auto bytes = ReadWholeFile(path, MaxTextFileSize))
        SetText(std::string(bytes->begin(), bytes->end()));
}

const TPalette* GCustomParserControl::GetPalette() const {
    return SharedPalette();
}

const TPicture& GCustomParserControl::FindImage(std::string_view name) {
    FImageLoader.SetImageName("");
    FImageLoader.SetColorsForScreen(Screen().BitsPerPixel());
    if (!StaysInProgramFolder(name))
        return FImageLoader.Picture();

    const std::string key = ProgramFolder() + std::string(name);
    const auto found = std::find_if(FImageCache.begin(), FImageCache.end(),
                                    [&](const TCachedImage& entry) { return entry.Key == key; });
    const TPicture* result = &FImageLoader.Picture();
    if (found == FImageCache.end()) {
        if (FileExists(key)) {
            FImageLoader.SetImageName(key);
            // A file that does not decode is remembered too, so that its failure is reported once per
            // text rather than at every layout.
            auto picture = std::make_unique<TPicture>();
            if (FImageLoader.Picture().HasGraphic())
                picture->Assign(FImageLoader.Picture());
            FImageCache.insert(FImageCache.begin(), TCachedImage{key, std::move(picture)});
            if (FImageCache.front().Picture->HasGraphic())
                result = FImageCache.front().Picture.get();
        }
    } else if (found->Picture->HasGraphic()) {
        // Pictures just used move to the front, where lookups start.
        if (FImageCache.size() > 1)
            std::swap(*found, FImageCache.front());
        result = FImageCache.front().Picture.get();
    }
    FImageLoader.SetImageName("");
    return *result;
}

std::vector<std::string> GCustomParserControl::ImageCacheKeys() const {
    std::vector<std::string> keys;
    keys.reserve(FImageCache.size());
    for (const TCachedImage& entry : FImageCache)
        keys.push_back(entry.Key);
    return keys;
}

TMarkupContext GCustomParserControl::Context() {
    TMarkupContext c;
    c.Width = Width();
    c.Font = &Font();
    c.HyperLinkFont = &FHyperLinkFont;
    if (FZoom != 100) {
        FZoomedFont = ZoomedFont(Font(), FZoom);
        FZoomedLinkFont = ZoomedFont(FHyperLinkFont, FZoom);
        c.Font = &FZoomedFont;
        c.HyperLinkFont = &FZoomedLinkFont;
        c.Zoom = FZoom;
    }
    c.HorScrollBar = FHorScrollBar;
    c.HasParent = Parent() != nullptr;
    if (c.HasParent) {
        c.ParentWidth = Parent()->Width();
        c.ParentHeight = Parent()->Height();
    }
    c.FindImage = [this](std::string_view name) { return FindImage(name).Graphic(); };
    c.Palette = GetPalette();
    return c;
}

void GCustomParserControl::RunLayout(TCanvas& canvas) {
    if (!FText)
        return;
    const TMarkupPass pass = FYMax > 0 ? TMarkupPass::Paint : TMarkupPass::Measure;
    const std::optional<TRect>& visible = canvas.PaintRect();
    FLayout.Run(*FText, canvas, pass, Context(), FXMax, FYMax, FHyperLinks, visible ? &*visible : nullptr);
    if ((FHorScrollBar && Width() < FXMax) || (FVerScrollBar && Height() < FYMax)) {
        if (Parent() != nullptr)
            SetBounds(Left(), Top(), FXMax, FYMax);
        else
            SetHeight(FYMax);
    }
}

void GCustomParserControl::Paint(TCanvas& canvas) {
    if (!FText && Parent() != nullptr) {
        FXMax = Parent()->Width();
        FYMax = Parent()->Height();
    }
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    const bool focused = FDrawFocused && Parent() != nullptr && Parent()->Focused();
    canvas.Pen().SetStyle(focused ? TPenStyle::psDot : TPenStyle::psSolid);
    canvas.Pen().SetColor(focused ? clBlack : Color());
    // The fill and frame would be hidden at once where the background picture is copied over them.
    if (!BackgroundCovers(canvas.PaintRect().value_or(ClientRect())))
        canvas.Rectangle(ClientRect());
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    PaintBackground(canvas);
    PaintMarks(canvas);
    PaintSelection(canvas);
    RunLayout(canvas);
    if (!ShowsFocus())
        return;
    if (const auto* box = dynamic_cast<const TScrollBox*>(Parent()); box && KeyboardCues())
        canvas.DrawFocusRect(box->VisibleRect());
    const auto [first, last] = LinkAreas(FFocusedLink);
    for (int32_t pos = first; pos != 0 && pos <= last; ++pos)
        if (const THyperLinkArea* area = Area(pos))
            canvas.DrawFocusRect(area->Area);
}

bool GCustomParserControl::ShowsFocus() const {
    return Parent() != nullptr && Parent()->Focused();
}

const THyperLinkArea* GCustomParserControl::Area(int32_t position) const {
    // Get only moves the chain's remembered cursor.
    return static_cast<const THyperLinkArea*>(const_cast<TPointerChain&>(FHyperLinks).Get(position));
}

std::pair<int32_t, int32_t> GCustomParserControl::LinkAreas(int link) const {
    if (link < 1)
        return {0, 0};
    int found = 0;
    for (int32_t pos = 1; pos <= FHyperLinks.Count(); ++pos) {
        const THyperLinkArea* area = Area(pos);
        if (area == nullptr || area->Continues)
            continue;
        if (++found != link)
            continue;
        int32_t last = pos;
        while (last < FHyperLinks.Count() && Area(last + 1) != nullptr && Area(last + 1)->Continues)
            ++last;
        return {pos, last};
    }
    return {0, 0};
}

int GCustomParserControl::LinkCount() const {
    int count = 0;
    for (int32_t pos = 1; pos <= FHyperLinks.Count(); ++pos)
        if (const THyperLinkArea* area = Area(pos); area != nullptr && !area->Continues)
            ++count;
    return count;
}

std::string GCustomParserControl::LinkText(int link) const {
    const auto [first, last] = LinkAreas(link);
    std::string words;
    for (int32_t pos = first; pos != 0 && pos <= last; ++pos)
        words += Area(pos)->Text;
    // Braces are left out as in the plain text of the whole topic.
    const std::string text = PlainTopicText(words);
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

const std::string& GCustomParserControl::LinkHRef(int link) const {
    static const std::string none;
    const int32_t first = LinkAreas(link).first;
    return first != 0 ? Area(first)->HRef : none;
}

TRect GCustomParserControl::LinkRect(int link) const {
    const int32_t first = LinkAreas(link).first;
    return first != 0 ? Area(first)->Area : TRect{};
}

void GCustomParserControl::SetFocusedLink(int value) {
    if (value < 0 || value > LinkCount())
        value = 0;
    if (!SetProperty(FFocusedLink, value))
        return;
    if (auto* box = dynamic_cast<TScrollBox*>(Parent()); box && value != 0)
        box->ScrollInView(LinkRect(value));
    if (ShowsFocus())
        NotifyAccessibleFocus(value - 1);
}

std::string GCustomParserControl::AccessibleText() const {
    return FText ? PlainTopicText(*FText) : std::string();
}

std::vector<TAccessibleItem> GCustomParserControl::AccessibleItems() const {
    std::vector<TAccessibleItem> items;
    const int count = LinkCount();
    for (int link = 1; link <= count; ++link)
        items.push_back({TAccessibleRole::arLink, LinkText(link), LinkRect(link), false,
                         link == FFocusedLink && ShowsFocus()});
    return items;
}

void GCustomParserControl::FollowLink(int link) {
    if (!OnHyperLinkClick || LinkAreas(link).first == 0)
        return;
    // A copy: the handler usually shows another text, which frees the areas.
    std::string href = LinkHRef(link);
    OnHyperLinkClick(this, href);
}

void GCustomParserControl::KeyDown(int& key, TShiftState shift) {
    GGraphicControl::KeyDown(key, shift);
    if (key != 0 && SelectionKey(key, shift)) {
        key = 0;
        return;
    }
    if (key == vkReturn && shift == 0 && FFocusedLink != 0) {
        key = 0;
        FollowLink(FFocusedLink);
        return;
    }
    if (key != vkTab || (shift & ~uint8_t(TShiftFlag::ssShift)) != 0)
        return;
    // Links that lead nowhere (a text without a link handler) are not visited.
    const int count = OnHyperLinkClick ? LinkCount() : 0;
    const bool back = shift != 0;
    // Without a focused link, Tab starts at the first and Shift+Tab at the last.
    const int next = FFocusedLink == 0 ? (back ? count : 1) : FFocusedLink + (back ? -1 : 1);
    if (next < 1 || next > count) {
        SetFocusedLink(0);
        return;
    }
    key = 0;
    SetFocusedLink(next);
}

TPoint GCustomParserControl::BackgroundOrigin() const {
    TPoint origin{FDX, FDY};
    if (FBackground.Image().HasGraphic()) {
        if (const auto* box = dynamic_cast<const TScrollBox*>(Parent())) {
            origin.X += box->HorzScrollPosition();
            origin.Y += box->VertScrollPosition();
        }
    }
    return origin;
}

bool GCustomParserControl::BackgroundCovers(const TRect& rect) const {
    const TBitmap* bitmap = OpaquePicture(FBackground);
    if (bitmap == nullptr || FBackground.ImageDrawStyle() != TImageDrawStyle::idsTopLeft)
        return false;
    const TPoint at = BackgroundOrigin();
    return at.X <= rect.Left && at.Y <= rect.Top && at.X + bitmap->Width() >= rect.Right &&
           at.Y + bitmap->Height() >= rect.Bottom;
}

void GCustomParserControl::PaintBackground(TCanvas& canvas) {
    const TPoint at = BackgroundOrigin();
    orvalis::PaintBackground(canvas, Width(), Height(), FBackground, at.X, at.Y, GetPalette());
}

int GCustomParserControl::HitArea(int x, int y) {
    for (int32_t pos = 1; pos <= FHyperLinks.Count(); ++pos) {
        const auto* area = static_cast<const THyperLinkArea*>(FHyperLinks.Get(pos));
        if (area != nullptr && x >= area->Area.Left && x < area->Area.Right && y >= area->Area.Top &&
            y < area->Area.Bottom)
            return pos;
    }
    return 0;
}

void GCustomParserControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnHyperLinkClick && FHyperLinks.Count() > 0)
        SetCursor(HitArea(x, y) != 0 ? crHandCursor : crHandNoFingersCursor);
    else
        SetCursor(crDefault);
    DragSelection(shift, x, y);
    GGraphicControl::MouseMove(shift, x, y);
}

void GCustomParserControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool selected = EndSelectionDrag(button);
    if (!selected && OnHyperLinkClick && FHyperLinks.Count() > 0) {
        if (const int pos = HitArea(x, y); pos != 0) {
            // A copy: the handler usually shows another text, which frees the areas.
            std::string href = static_cast<const THyperLinkArea*>(FHyperLinks.Get(pos))->HRef;
            OnHyperLinkClick(this, href);
        }
    }
    GGraphicControl::MouseUp(button, shift, x, y);
}

void GCustomParserControl::SetZoom(int value) {
    value = StepTextZoom(value, 0);
    if (value == FZoom)
        return;
    auto* box = dynamic_cast<TScrollBox*>(Parent());
    const int top = box != nullptr ? box->VertScrollPosition() : 0;
    const int anchor = top > 0 ? FLayout.ItemBelow(top) : -1;
    FZoom = value;
    Relayout();
    if (box != nullptr && anchor >= 0)
        box->SetVertScrollPosition(FLayout.ItemTop(anchor));
}

bool GCustomParserControl::MouseWheel(int notches, TShiftState shift, int x, int y) {
    if ((shift & uint8_t(TShiftFlag::ssCtrl)) == 0)
        return GGraphicControl::MouseWheel(notches, shift, x, y);
    const int zoom = FZoom;
    SetZoom(StepTextZoom(FZoom, notches));
    if (FZoom != zoom && OnZoomChange)
        OnZoomChange(this);
    // At either end the wheel still does not scroll the text: the reader meant the size.
    return true;
}

void GCustomParserControl::EnsureLayout(TCanvas& canvas) {
    if (!FText || FLayout.Cached(*FText, Context()))
        return;
    canvas.Font() = Font();
    FLayout.Run(*FText, canvas, TMarkupPass::Measure, Context(), FXMax, FYMax, FHyperLinks);
}

void GCustomParserControl::MarkQuery(std::string_view query, bool strict) {
    FMarks.clear();
    FCurrentMark = 0;
    if (FText) {
        const std::unique_ptr<TCanvas> canvas = CreateMeasureCanvas();
        EnsureLayout(*canvas);
        FMarks = FindQueryMarks(FLayout.VisibleText(), query, strict);
    }
    Invalidate();
    if (!FMarks.empty())
        GoToMark(1);
}

void GCustomParserControl::ClearMarks() {
    if (FMarks.empty())
        return;
    FMarks.clear();
    FCurrentMark = 0;
    Invalidate();
}

std::vector<TRect> GCustomParserControl::MarkRects(int mark) {
    if (mark < 1 || mark > MarkCount())
        return {};
    const std::unique_ptr<TCanvas> canvas = CreateMeasureCanvas();
    EnsureLayout(*canvas);
    return FLayout.RangeRects(*canvas, FMarks[static_cast<size_t>(mark - 1)]);
}

void GCustomParserControl::GoToMark(int mark) {
    if (mark < 1 || mark > MarkCount())
        return;
    FCurrentMark = mark;
    Invalidate();
    const std::vector<TRect> rects = MarkRects(mark);
    auto* box = dynamic_cast<TScrollBox*>(Parent());
    if (box == nullptr || rects.empty())
        return;
    TRect all = rects.front();
    for (const TRect& r : rects) {
        all.Top = std::min(all.Top, r.Top);
        all.Bottom = std::max(all.Bottom, r.Bottom);
    }
    box->ScrollInView(all);
}

void GCustomParserControl::StepMark(int steps) {
    const int count = MarkCount();
    if (count == 0)
        return;
    const int from = FCurrentMark == 0 ? (steps > 0 ? 0 : 1) : FCurrentMark;
    GoToMark(((from - 1 + steps) % count + count) % count + 1);
}

void GCustomParserControl::PaintMarks(TCanvas& canvas) {
    if (FMarks.empty() || !FText)
        return;
    EnsureLayout(canvas);
    const std::optional<TRect> painted = canvas.PaintRect();
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    for (size_t i = 0; i < FMarks.size(); ++i) {
        canvas.Brush().SetColor(static_cast<int>(i) + 1 == FCurrentMark ? FCurrentMarkColor : FMarkColor);
        for (const TRect& rect : FLayout.RangeRects(canvas, FMarks[i], painted ? &*painted : nullptr))
            canvas.FillRect(rect);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
}

} // namespace orvalis
