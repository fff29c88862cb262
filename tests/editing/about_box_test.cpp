// The framed panel painted onto a small pixel grid.
#include "editing/about_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Pixels as characters: '.' untouched, 'F' fill, 'S' shadow, 'H' highlight.
struct Grid {
    int32_t Width;
    int32_t Height;
    std::vector<std::string> Rows;
    int Calls = 0;

    Grid(int32_t w, int32_t h) : Width(w), Height(h), Rows(h, std::string(w, '.')) {}

    void Set(int32_t x, int32_t y, char c) {
        if (x >= 0 && x < Width && y >= 0 && y < Height) Rows[y][x] = c;
    }
    static char Mark(PanelBrush brush) {
        return brush == PANEL_BRUSH_FILL ? 'F' : brush == PANEL_BRUSH_SHADOW ? 'S' : 'H';
    }
    static void Fill(void* context, const PanelRect& r, PanelBrush brush) {
        auto* g = static_cast<Grid*>(context);
        g->Calls++;
        for (int32_t y = r.Top; y < r.Bottom; y++)
            for (int32_t x = r.Left; x < r.Right; x++) g->Set(x, y, Mark(brush));
    }
    // As the platform frames: left and top on the rectangle's edges, right and bottom
    // one pixel inside its exclusive edges.
    static void Frame(void* context, const PanelRect& r, PanelBrush brush) {
        auto* g = static_cast<Grid*>(context);
        g->Calls++;
        for (int32_t x = r.Left; x < r.Right; x++) {
            g->Set(x, r.Top, Mark(brush));
            g->Set(x, r.Bottom - 1, Mark(brush));
        }
        for (int32_t y = r.Top; y < r.Bottom; y++) {
            g->Set(r.Left, y, Mark(brush));
            g->Set(r.Right - 1, y, Mark(brush));
        }
    }
    PanelPainter Painter() { return {Fill, Frame, this}; }
};

TEST(FramedPanelTest, EtchedFrameInsideAFilledPanel) {
    Grid grid(30, 28);
    ASSERT_TRUE(DrawFramedPanel(ABOUT_PANEL_ID, true, {0, 0, 30, 28}, grid.Painter()));
    // W 30, H 28: shadow on columns 10 and 17, rows 10 and 15; highlight on columns 11
    // and 18, rows 11 and 16, drawn over the shadow where they cross.
    const std::vector<std::string> expected = {
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFSSSSSSSSFFFFFFFFFFFF", "FFFFFFFFFFSHHHHHHHHFFFFFFFFFFF",
        "FFFFFFFFFFSHFFFFFSHFFFFFFFFFFF", "FFFFFFFFFFSHFFFFFSHFFFFFFFFFFF", "FFFFFFFFFFSHFFFFFSHFFFFFFFFFFF",
        "FFFFFFFFFFSHSSSSSSHFFFFFFFFFFF", "FFFFFFFFFFFHHHHHHHHFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
    };
    EXPECT_EQ(expected, grid.Rows);
}

TEST(FramedPanelTest, FramesFollowAnOffsetItem) {
    PanelRect shadow, highlight;
    FramedPanelFrames({5, 7, 105, 87}, &shadow, &highlight);
    EXPECT_EQ(15, shadow.Left);
    EXPECT_EQ(17, shadow.Top);
    EXPECT_EQ(93, shadow.Right);
    EXPECT_EQ(75, shadow.Bottom);
    EXPECT_EQ(16, highlight.Left);
    EXPECT_EQ(18, highlight.Top);
    EXPECT_EQ(94, highlight.Right);
    EXPECT_EQ(76, highlight.Bottom);
}

TEST(FramedPanelTest, OtherControlsAndStateChangesPaintNothing) {
    struct Case {
        uintptr_t ControlId;
        bool DrawEntire;
        bool Paints;
    };
    const Case cases[] = {
        {106, true, true}, {0x50000 | 106, true, true}, {107, true, false}, {106, false, false},
        {0, true, false},
    };
    for (const Case& c : cases) {
        Grid grid(30, 28);
        EXPECT_EQ(c.Paints, DrawFramedPanel(c.ControlId, c.DrawEntire, {0, 0, 30, 28}, grid.Painter()));
        EXPECT_EQ(c.Paints ? 3 : 0, grid.Calls) << c.ControlId;
    }
}

}  // namespace
