// The about box's framed panel: a filled background with an etched frame, a shadow line
// and a highlight line one pixel below and to the right of it. The geometry is portable;
// the platform supplies the painting.
#pragma once

#include <cstdint>

constexpr int32_t ABOUT_PANEL_ID = 106;
constexpr int32_t PANEL_FRAME_INSET_LEFT_TOP = 10;
constexpr int32_t PANEL_FRAME_INSET_RIGHT_BOTTOM = 12;

// Right and bottom are exclusive, as in the platform's rectangles.
struct PanelRect {
    int32_t Left;
    int32_t Top;
    int32_t Right;
    int32_t Bottom;
};

enum PanelBrush : int32_t {
    PANEL_BRUSH_FILL = 0,       // the box's brush in the button-face colour
    PANEL_BRUSH_SHADOW = 1,     // button shadow
    PANEL_BRUSH_HIGHLIGHT = 2,  // button highlight
};

struct PanelPainter {
    void (*Fill)(void* context, const PanelRect& rect, PanelBrush brush);
    // A border one pixel wide just inside rect.
    void (*Frame)(void* context, const PanelRect& rect, PanelBrush brush);
    void* Context;
};

// The shadow frame first, then the highlight frame one pixel right and down over it.
void FramedPanelFrames(const PanelRect& item, PanelRect* shadow, PanelRect* highlight);

// Paints the panel for an owner-draw request of controlId (low 16 bits count) that asks to
// draw the whole item; any other control or a focus or selection change paints nothing.
// Returns whether it painted.
bool DrawFramedPanel(uintptr_t controlId, bool drawEntire, const PanelRect& item,
                     const PanelPainter& painter);
