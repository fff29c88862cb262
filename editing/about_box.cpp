#include "editing/about_box.h"

void FramedPanelFrames(const PanelRect& item, PanelRect* shadow, PanelRect* highlight) {
    *shadow = {item.Left + PANEL_FRAME_INSET_LEFT_TOP, item.Top + PANEL_FRAME_INSET_LEFT_TOP,
               item.Right - PANEL_FRAME_INSET_RIGHT_BOTTOM, item.Bottom - PANEL_FRAME_INSET_RIGHT_BOTTOM};
    *highlight = {shadow->Left + 1, shadow->Top + 1, shadow->Right + 1, shadow->Bottom + 1};
}

bool DrawFramedPanel(uintptr_t controlId, bool drawEntire, const PanelRect& item,
                     const PanelPainter& painter) {
    if ((controlId & 0xFFFF) != ABOUT_PANEL_ID || !drawEntire) return false;
    PanelRect shadow;
    PanelRect highlight;
    FramedPanelFrames(item, &shadow, &highlight);
    painter.Fill(painter.Context, item, PANEL_BRUSH_FILL);
    painter.Frame(painter.Context, shadow, PANEL_BRUSH_SHADOW);
    painter.Frame(painter.Context, highlight, PANEL_BRUSH_HIGHLIGHT);
    return true;
}
