#include "content/short_string.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvalis {
namespace {

TEST(ShortString, KeepsTheFirst255CharactersOfLongerTexts) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {std::string(254, 'a'), std::string(254, 'a')},
        {std::string(255, 'b'), std::string(255, 'b')},
        {std::string(255, 'c') + "def", std::string(255, 'c')},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ShortString(text), expected) << text.size();
        std::string cut = text;
        CutToShortString(cut);
        EXPECT_EQ(cut, expected) << text.size();
    }
}

} // namespace
} // namespace orvalis
