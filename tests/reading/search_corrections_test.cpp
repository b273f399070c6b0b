#include "reading/search_corrections.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(SearchCorrections, OfferMarkup_LinksJoinedAsDutchReadsAndNothingTheMarkupCannotCarry) {
    EXPECT_EQ(TSearchCorrections::OfferMarkup({}), "");
    EXPECT_EQ(TSearchCorrections::OfferMarkup({"zink"}), "Bedoelde u <A HREF=\"zink\">zink</A>?");
    EXPECT_EQ(TSearchCorrections::OfferMarkup({"Vitamine D", "zink", "ijzer"}),
              "Bedoelde u <A HREF=\"Vitamine D\">Vitamine D</A>, <A HREF=\"zink\">zink</A> of "
              "<A HREF=\"ijzer\">ijzer</A>?");
    EXPECT_EQ(TSearchCorrections::OfferMarkup({"a<b", "\"c\"", "d>"}), "");
    EXPECT_EQ(TSearchCorrections::OfferMarkup({"a<b", "zink", "caf\xE9"}),
              "Bedoelde u <A HREF=\"zink\">zink</A> of <A HREF=\"caf\xE9\">caf\xE9</A>?");
}

} // namespace
} // namespace orvalis
