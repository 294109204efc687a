// The list texts of the element dialogs and the password digit rules.
#include "editors/ElementTexts.h"

#include <gtest/gtest.h>

using namespace kx4;

TEST(ElementTexts, TheFiftyNineButtonTypesInListOrder)
{
    const std::vector<std::string> types = ButtonTypeItems();
    ASSERT_EQ(types.size(), 59u);
    const std::pair<int, const char*> expected[] = {
        {0, "Unused"},
        {1, "Push Button Input 1"},
        {8, "Push Button Input 8"},
        {9, "Turn ON Input 1"},
        {12, "Turn ON Input 4"},
        {17, "Turn OFF Input 1"},
        {24, "Turn OFF Input 8"},
        {25, "Goto Home"},
        {26, "Goto Screen 01"},
        {40, "Goto Screen 15"},
        {41, "Goto Home W/Password"},
        {42, "Goto Screen 01 W/Password"},
        {56, "Goto Screen 15 W/Password"},
        {57, "Color Control"},
        {58, "Color Control With Tracking"},
    };
    for (const auto& [type, text] : expected)
        EXPECT_EQ(types[static_cast<std::size_t>(type)], text) << type;
}

TEST(ElementTexts, DeviceAddressesFollowTheNodeAddress)
{
    EXPECT_EQ(DeviceItems(0, 3), (std::vector<std::string>{"01", "02", "03", "04"}));
    const std::vector<std::string> wide = DeviceItems(9, 63);
    ASSERT_EQ(wide.size(), 64u);
    EXPECT_EQ(wide.front(), "0A");
    EXPECT_EQ(wide.back(), "49");
    // Node FB with 64 devices passes FF: two hex digits, as the rows show them.
    EXPECT_EQ(DeviceItems(250, 7).back(), "02");
    EXPECT_TRUE(DeviceItems(0, -1).empty());
}

TEST(ElementTexts, PasswordDigitsByBox)
{
    EXPECT_EQ(PasswordWithDigit(123456, 3, 7), 127456);
    EXPECT_EQ(PasswordWithDigit(123456, 0, 9), 123459);
    EXPECT_EQ(PasswordWithDigit(123456, 5, 0), 23456);
    EXPECT_EQ(PasswordWithDigit(0, 5, 9), 900000);
    std::string shown;
    for (int box = 5; box >= 0; --box)
        shown += PasswordDigit(1234, box);
    EXPECT_EQ(shown, "001234");
    EXPECT_EQ(PasswordDigit(9876543, 0), "3") << "a damaged record still shows one digit per box";
    EXPECT_TRUE(PasswordType(41));
    EXPECT_TRUE(PasswordType(56));
    EXPECT_FALSE(PasswordType(40));
    EXPECT_FALSE(PasswordType(57));
}
