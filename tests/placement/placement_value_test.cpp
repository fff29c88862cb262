#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "display/placement.h"

namespace {

struct ParseCase {
    const char* Text;
    int Expected;
    int32_t Values[4];  // checked when Expected is 1
};

TEST(PlacementValue, Parse) {
    const ParseCase cases[] = {
        {"[100,50,905,594]", 1, {100, 50, 905, 594}},
        {"[-4,0,905,594]", 1, {-4, 0, 905, 594}},
        {"junk before [1,2,3,4]", 1, {1, 2, 3, 4}},
        {"[1,2,3,4,5]", 1, {1, 2, 3, 4}},
        {"[ 10 , 20 , 30 , 40 ]", 1, {10, 20, 30, 40}},
        {"[1,2,3,4,", 1, {1, 2, 3, 4}},
        {"[1,2,3,4", 1, {1, 2, 3, 4}},  // no closing bracket needed
        {"[+1,-2,\t3,x]", 1, {1, -2, 3, 0}},
        {"[,,,]x", 1, {0, 0, 0, 0}},  // empty numbers read as 0
        {"[1,2,3,", 0, {}},           // the trailing ',' has nothing after it
        {"[1,2,3]", 0, {}},
        {"", 0, {}},
        {"100,50,905,594", 0, {}},
        {"[", 0, {}},
        {"x[", 0, {}},
        {"[1;2;3;4]", 0, {}},
        {"[99999999999,-99999999999,2147483648,-2147483649]",
         1,
         {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.Text);
        int32_t values[4] = {};
        EXPECT_EQ(ParsePlacementValue(c.Text, values), c.Expected);
        if (c.Expected == 1) {
            for (int i = 0; i < 4; i++) EXPECT_EQ(values[i], c.Values[i]) << "element " << i;
        }
    }
    int32_t values[4] = {};
    EXPECT_EQ(ParsePlacementValue(nullptr, values), 0);
}

TEST(PlacementValue, OnlyTheFirst79CharactersAreRead) {
    // The fourth number's comma is the 79th character: one more would be needed.
    std::string cut = "[1,2,3" + std::string(72, ' ') + ",4]";
    ASSERT_EQ(cut[78], ',');
    int32_t values[4] = {};
    EXPECT_EQ(ParsePlacementValue(cut.c_str(), values), 0);

    std::string fits = "[1,2,3" + std::string(71, ' ') + ",4]";
    EXPECT_EQ(ParsePlacementValue(fits.c_str(), values), 1);
    EXPECT_EQ(values[3], 4);
}

struct FitCase {
    int32_t Values[4];
    int32_t ScreenWidth;
    int32_t ScreenHeight;
    int Expected;
};

TEST(PlacementValue, FitsScreen) {
    const FitCase cases[] = {
        {{100, 50, 905, 594}, 1024, 768, 1},
        {{100, 50, 905, 594}, 800, 600, 0},  // 100 + 905 is past 800
        {{-4, 0, 905, 594}, 1024, 768, 1},
        {{1100, 0, 905, 594}, 1024, 768, 0},  // on a monitor right of the primary one
        {{0, 0, 1024, 768}, 1024, 768, 1},    // edges exactly on the screen's
        {{0, 0, 1025, 768}, 1024, 768, 0},
        {{0, 0, 1024, 769}, 1024, 768, 0},
        {{0, 800, 10, -100}, 1024, 768, 0},  // y beyond the bottom even with a negative height
        {{1024, 768, 0, 0}, 1024, 768, 1},
        {{0, 0, -5, -5}, 1024, 768, 1},  // sizes of zero or below pass
        // Sums that would wrap in 32 bits are compared in full.
        {{1000, 0, INT32_MAX, 10}, 1024, 768, 0},
        {{0, 700, 10, INT32_MAX}, 1024, 768, 0},
        {{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, 1024, 768, 1},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Values[0] << "," << c.Values[1] << "," << c.Values[2] << ","
                                        << c.Values[3] << " on " << c.ScreenWidth << "x" << c.ScreenHeight);
        EXPECT_EQ(PlacementFitsScreen(c.Values, c.ScreenWidth, c.ScreenHeight), c.Expected);
    }
}

TEST(PlacementValue, FormatReadsBack) {
    char text[PLACEMENT_VALUE_CAPACITY];
    EXPECT_TRUE(FormatPlacementValue(text, sizeof text, 100, 50, 905, 594));
    EXPECT_STREQ(text, "[100,50,905,594]");

    EXPECT_TRUE(FormatPlacementValue(text, sizeof text, INT32_MIN, -1, 0, INT32_MAX));
    EXPECT_STREQ(text, "[-2147483648,-1,0,2147483647]");
    int32_t values[4] = {};
    ASSERT_EQ(ParsePlacementValue(text, values), 1);
    EXPECT_EQ(values[0], INT32_MIN);
    EXPECT_EQ(values[3], INT32_MAX);

    char small[8];
    EXPECT_FALSE(FormatPlacementValue(small, sizeof small, 100, 50, 905, 594));
    EXPECT_STREQ(small, "[100,50");
}

}  // namespace
