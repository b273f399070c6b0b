#include "orvalis-skins/skin_table.h"

namespace orvalis::skins {

namespace {

// Areas at 640x480: the header and button strips are 640x50, the pages between them 640x380; on the
// reading page the left column (NavPages) is 219 wide and MainBk takes the remaining 421.
constexpr TSize StripSize{640, 50};
constexpr TSize PageSize{640, 380};
constexpr TSize LeftColumnSize{219, 380};
constexpr TSize RightColumnSize{421, 380};

// Big, calm pictures go out as JPEG, the strips as BMP and the rest as PNG, so the program's loader
// meets all three formats and has to recognise each from the content.
constexpr std::array<TStem, 14> StemTable{{
    {"i_t", TArea::Header, TMode::Reading, StripSize, TFileFormat::Png},
    {"i", TArea::IntroPage, TMode::Reading, PageSize, TFileFormat::Jpeg},
    {"m_t", TArea::Header, TMode::Reading, StripSize, TFileFormat::Png},
    {"m_r", TArea::MainRight, TMode::Reading, RightColumnSize, TFileFormat::Png},
    {"m_b", TArea::ButtonStrip, TMode::Reading, StripSize, TFileFormat::Bmp},
    {"m_b2", TArea::ButtonStrip, TMode::Reading, StripSize, TFileFormat::Bmp},
    {"m_l1", TArea::LeftColumn, TMode::Reading, LeftColumnSize, TFileFormat::Png},
    {"m_l2", TArea::LeftColumn, TMode::Reading, LeftColumnSize, TFileFormat::Png},
    {"h_t", TArea::Header, TMode::Link, StripSize, TFileFormat::Png},
    {"h_r", TArea::MainRight, TMode::Link, RightColumnSize, TFileFormat::Png},
    {"h_b", TArea::ButtonStrip, TMode::Link, StripSize, TFileFormat::Bmp},
    {"h_l3", TArea::LeftColumn, TMode::Link, LeftColumnSize, TFileFormat::Png},
    {"q", TArea::QuizPage, TMode::Reading, PageSize, TFileFormat::Jpeg},
    {"t", TArea::BmiPage, TMode::Reading, PageSize, TFileFormat::Jpeg},
}};

// Nearest integer to n * num / den for non-negative n, halves to the even neighbour.
int RoundRatio(int n, int num, int den) {
    const long long scaled = static_cast<long long>(n) * num;
    long long q = scaled / den;
    const long long twiceRest = 2 * (scaled % den);
    if (twiceRest > den || (twiceRest == den && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

} // namespace

std::span<const TStem> Stems() {
    return StemTable;
}

const TStem* FindStem(std::string_view name) {
    for (const TStem& stem : StemTable)
        if (stem.Name == name)
            return &stem;
    return nullptr;
}

int ScaledLength(int designLength, const TVariant& variant) {
    if (designLength < 0)
        return -RoundRatio(-designLength, variant.Num, variant.Den);
    return RoundRatio(designLength, variant.Num, variant.Den);
}

TSize ScaledSize(TSize design, const TVariant& variant) {
    return {ScaledLength(design.Width, variant), ScaledLength(design.Height, variant)};
}

std::string BackgroundFileName(const TStem& stem, const TVariant& variant) {
    std::string name = "I/B/";
    name += stem.Name;
    name += variant.Suffix;
    return name;
}

std::string_view FormatName(TFileFormat format) {
    switch (format) {
    case TFileFormat::Png:
        return "png";
    case TFileFormat::Jpeg:
        return "jpeg";
    case TFileFormat::Bmp:
        return "bmp";
    }
    return "png";
}

} // namespace orvalis::skins
