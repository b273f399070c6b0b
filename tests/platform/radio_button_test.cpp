#include "platform/panel.h"
#include "platform/radio_button.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(RadioButton, CheckingExcludesSiblingsAndTheProgramCanUncheckAll) {
    TPanel panel;
    TRadioButton a(&panel), b(&panel), c(&panel);
    a.SetChecked(true);
    b.SetChecked(true);
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    b.SetChecked(false);
    EXPECT_FALSE(b.Checked()) << "the checked button of a group can be unchecked by the program";
    c.SetChecked(true);
    EXPECT_TRUE(c.Checked());
    EXPECT_FALSE(b.Checked()) << "the buttons still exclude one another afterwards";
}

} // namespace
} // namespace orvalis
