// The skin pictures the program loads: every background stem with the area it fills at the 640x480
// design size, the three screen variants, and the file format each picture is written in.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace orvalis::skins {

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// A screen variant scales the design by Num / Den; its suffix ends every background file name.
struct TVariant {
    int Index;
    std::string_view Suffix;
    int Num;
    int Den;
};

inline constexpr std::array<TVariant, 3> Variants{{{0, "6x4", 1, 1}, {1, "8x6", 5, 4}, {2, "10x7", 8, 5}}};

enum class TFileFormat { Png, Jpeg, Bmp };

// What kind of area a stem fills; the painters and the text samples are chosen by it.
enum class TArea { Header, IntroPage, MainRight, ButtonStrip, LeftColumn, QuizPage, BmiPage };

// Link mode ("h_" stems) shares the areas of reading mode in its own colours.
enum class TMode { Reading, Link };

struct TStem {
    std::string_view Name;
    TArea Area;
    TMode Mode;
    TSize Design; // size of the area at 640x480
    TFileFormat Format;
};

std::span<const TStem> Stems();
const TStem* FindStem(std::string_view name);

// Design length scaled for a variant: n * Num / Den rounded to the nearest integer, halves to even,
// computed exactly in integers (62.5 becomes 62, 273.75 becomes 274).
int ScaledLength(int designLength, const TVariant& variant);
TSize ScaledSize(TSize design, const TVariant& variant);

// "I/B/" + stem + suffix, relative to the program folder, without extension.
std::string BackgroundFileName(const TStem& stem, const TVariant& variant);

std::string_view FormatName(TFileFormat format); // the Qt writer's name: "png", "jpeg", "bmp"

} // namespace orvalis::skins
