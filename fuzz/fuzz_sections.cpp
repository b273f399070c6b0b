// Reads an arbitrary section file and an arbitrary height and weight: the input is split at its first zero
// byte into a section name and the file's text, and the name also serves as the typed numbers. A section's
// lines must be whole lines of at most 255 characters that open no other section, and a BMI with a class
// must lie in 0 ... 80.
#include "selftests/bmi.h"
#include "selftests/section_file.h"

#include <cmath>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t zero = input.find('\0');
    const std::string name = input.substr(0, zero);
    const std::string text = zero == std::string::npos ? std::string() : input.substr(zero + 1);

    for (const std::string& line : orvalis::SectionLines(text, name)) {
        if (line.size() > 255 || line.find_first_of("\r\n") != std::string::npos || line.starts_with('['))
            __builtin_trap();
    }

    const size_t half = name.size() / 2;
    const double length = orvalis::ParseBmiNumber(name.substr(0, half));
    const double weight = orvalis::ParseBmiNumber(name.substr(half));
    if (!std::isfinite(length) || !std::isfinite(weight))
        __builtin_trap();
    const orvalis::TBmiResult result = orvalis::ComputeBmi(length, weight);
    if (result.Class && (result.Rounded < 0 || result.Rounded > 80))
        __builtin_trap();
    return 0;
}
