#include "selftests/bmi.h"
#include "content/short_string.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace orvalis {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The end of a run of digits starting at `pos`, or npos when there is none.
size_t SkipDigits(std::string_view text, size_t pos) {
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos == start ? std::string_view::npos : pos;
}

// Whether `text` is exactly digits, an optional "." with digits and an optional exponent.
bool IsUnsignedDecimal(std::string_view text) {
    size_t pos = SkipDigits(text, 0);
    if (pos == std::string_view::npos)
        return false;
    if (pos < text.size() && text[pos] == '.') {
        pos = SkipDigits(text, pos + 1);
        if (pos == std::string_view::npos)
            return false;
    }
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        pos = SkipDigits(text, pos);
        if (pos == std::string_view::npos)
            return false;
    }
    return pos == text.size();
}

// The extended-precision value stored as a double; beyond the double's range it becomes infinite.
double StoredAsDouble(long double value) {
    if (std::fabs(value) > std::numeric_limits<double>::max())
        return std::signbit(value) ? -std::numeric_limits<double>::infinity()
                                   : std::numeric_limits<double>::infinity();
    return static_cast<double>(value);
}

constexpr TColor DarkRed = TColor::FromRgb(0x800000);
constexpr TColor Green = TColor::FromRgb(0x008000);

} // namespace

double ParseBmiNumber(std::string_view text) {
    std::string number(ShortString(text));
    if (const size_t comma = number.find(','); comma != std::string::npos)
        number[comma] = '.';
    std::string_view rest(number);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (!IsUnsignedDecimal(rest))
        return 0;
    double value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    // A number beyond the range of a double is no value the computation could use.
    if (error != std::errc() || end != rest.data() + rest.size())
        return 0;
    return negative ? -value : value;
}

TBmiResult ComputeBmi(double lengthCm, double weightKg) {
    TBmiResult result;
    const double metres = lengthCm / 100;
    if (metres == 0)
        result.Bmi = 51;
    else
        result.Bmi =
            StoredAsDouble(static_cast<long double>(weightKg) / (static_cast<long double>(metres) * metres));
    const double rounded = std::nearbyint(result.Bmi);
    // Written so that a NaN fails it too: such an index has no class either.
    if (!(rounded >= 0 && rounded <= 80))
        return result;
    result.Rounded = static_cast<int>(rounded);
    if (result.Rounded <= 20)
        result.Class = TBmiClass{"ondergewicht", result.Bmi > 18.0 ? DarkRed : clRed};
    else if (result.Rounded <= 25)
        result.Class = TBmiClass{"normaalgewicht", clLime};
    else if (result.Rounded <= 30)
        result.Class = TBmiClass{"overgewicht", Green};
    else if (result.Rounded <= 35)
        result.Class = TBmiClass{"obestias", DarkRed};
    else
        result.Class = TBmiClass{"mobide obestias", clRed};
    return result;
}

} // namespace orvalis
