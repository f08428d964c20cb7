#include <gtest/gtest.h>

#include "platform/WindowScale.h"

TEST(WindowScaleTest, ScalesAreKeptWithinWhatAWindowCanTake) {
    EXPECT_EQ(TWindowScale(96).Ppi(), 96);
    EXPECT_EQ(TWindowScale(48).Ppi(), 48);
    EXPECT_EQ(TWindowScale(480).Ppi(), 480);
    EXPECT_EQ(TWindowScale(110).Ppi(), 110);  // any value in range is a scale
    for (int bad : {-96, 0, 47, 481, 100000})
        EXPECT_EQ(TWindowScale(bad).Ppi(), 96) << bad;
    EXPECT_EQ(TWindowScale(144).Px(160), 240);
    EXPECT_EQ(TWindowScale(125).Px(21), 27);
    EXPECT_EQ(TWindowScale(144).Points(8), 12.0);
}

// A length shown at some scale, taken back and shown again, any number of times, never
// drifts: not even where rounding loses pixels, below 100 %.
TEST(WindowScaleTest, ALengthTakenBackAndShownAgainNeverDrifts) {
    for (int ppi = TWindowScale::kMinPpi; ppi <= TWindowScale::kMaxPpi; ++ppi) {
        const TWindowScale scale(ppi);
        for (int design = 0; design <= 2000; design += 7) {
            int stored = design;
            for (int run = 0; run < 3; ++run)
                stored = scale.Unscale(scale.Px(stored), stored);
            ASSERT_EQ(stored, design) << "at " << ppi << " ppi";
        }
    }
    // a length the user changed is taken back at the scale it was shown at
    EXPECT_EQ(TWindowScale(192).Unscale(500, 160), 250);
}
