// layout_test.cpp: the disc cursors' geometry and the focus mark's colour, which both front ends
// draw from the shared description of the main window.
#include <cmath>
#include <gtest/gtest.h>
#include <ui/layout/main_window.h>

using namespace tintwise;

TEST(DiscCursor, isItsSizeAndStaysRoundAndCentredAtEveryScale)
{
    for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        const int side = layout::discImageSide(scale);
        EXPECT_EQ(side, static_cast<int>(std::lround(32 * scale))) << scale;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const bool covered = layout::discCovers(x, y, scale);
                // The same about both axes, so the hot spot at side / 2 is the disc's centre.
                ASSERT_EQ(covered, layout::discCovers(side - 1 - x, y, scale)) << scale;
                ASSERT_EQ(covered, layout::discCovers(x, side - 1 - y, scale)) << scale;
                ASSERT_EQ(covered, layout::discCovers(y, x, scale)) << scale;
                if (scale == 2.0) {
                    ASSERT_EQ(covered, layout::discCovers(x / 2, y / 2, 1.0));
                }
            }
        }
    }
}

TEST(FocusMark, standsOutOnEveryColourACellOrPaletteButtonCanHave)
{
    const auto luminance = [](engine::ColourValue v) {
        const auto linear = [](int c) {
            const double s = c / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(engine::redOf(v)) + 0.7152 * linear(engine::greenOf(v)) +
               0.0722 * linear(engine::blueOf(v));
    };
    for (int i = 0; i < engine::kPaletteSize; ++i) {
        const double face = luminance(engine::QBColor(i));
        const double mark = luminance(layout::focusMarkColour(engine::QBColor(i)));
        const double contrast = (std::max(face, mark) + 0.05) / (std::min(face, mark) + 0.05);
        EXPECT_GE(contrast, 4.5) << engine::colourName(i); // WCAG's level for text
    }
}
