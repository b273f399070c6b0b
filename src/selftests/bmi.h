#pragma once

#include "platform/color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvalis {

// A height or weight as typed: the first "," counts as the decimal point, then the whole text must be a
// decimal number (leading blanks, an optional sign, digits, an optional "." with digits, an optional
// exponent). Anything else, an empty text, trailing blanks, units, and numbers too large for a double,
// reads as 0.
double ParseBmiNumber(std::string_view text);

// The weight class of a rounded index: the advice section to show and the bar's colour.
struct TBmiClass {
    const char* Section;
    TColor Color;
};

// What a height in centimetres and a weight in kilograms come to.
struct TBmiResult {
    // The index; 51 for a height of 0, so that an empty or unreadable height still gives an answer.
    double Bmi = 0;
    // The index rounded halves to even, when it lies in 0 ... 80.
    int Rounded = 0;
    // None for an index below 0, above 80 or not a number: "Kan BMI niet berekenen", the bar unchanged.
    std::optional<TBmiClass> Class;
};

TBmiResult ComputeBmi(double lengthCm, double weightKg);

} // namespace orvalis
