#pragma once

#include <string_view>

namespace orvalis {

// The publisher's notice that closes every copied text and stands at the foot of every printed page.
inline constexpr std::string_view PublisherNotice =
    "\xA9 Uitgeverij Veldhaven. Alle rechten voorbehouden; overname alleen met bronvermelding.";

} // namespace orvalis
