#include "app/page_pictures.h"

#include <array>
#include <cstddef>

namespace orvalis {

namespace {
// In the order of TPictureRow.
constexpr std::array<TPagePictures, 7> Rows{{
    {"i_t", "i", true, nullptr, nullptr},      // Start: the intro page, its picture under the hint text
    {"i_t", nullptr, false, nullptr, nullptr}, // MainMenu
    {"m_t", "m_r", true, "m_b", "m_l1"},       // Reading
    {"m_t", "m_r", false, "m_b2", "m_l2"},     // Search
    {"h_t", "h_r", true, "h_b", "h_l3"},       // HyperLink
    {"m_t", "q", false, "m_b2", nullptr},      // Quiz
    {"m_t", "t", false, "m_b2", nullptr},      // BMITest
}};
} // namespace

const TPagePictures& PicturesOf(TPictureRow row) {
    return Rows[static_cast<std::size_t>(row)];
}

} // namespace orvalis
