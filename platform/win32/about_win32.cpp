// The about box on Win32: the box's brush and colours, and the etched panel painted
// through the portable frame geometry.
#include <windows.h>

#include "display/app_state.h"
#include "display/main_window.h"
#include "display/weather_lists.h"
#include "editing/about_box.h"
#include "platform/win32/win32_shell.h"

namespace {

HBRUSH AboutBrush = nullptr;

void DeleteAboutBrush() {
    if (AboutBrush) DeleteObject(AboutBrush);
    AboutBrush = nullptr;
}

struct PanelSurface {
    HDC Context;
    HBRUSH Brushes[3];  // by PanelBrush
};

void FillPanel(void* context, const PanelRect& rect, PanelBrush brush) {
    auto* surface = static_cast<PanelSurface*>(context);
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (surface->Brushes[brush]) FillRect(surface->Context, &r, surface->Brushes[brush]);
}

void FramePanel(void* context, const PanelRect& rect, PanelBrush brush) {
    auto* surface = static_cast<PanelSurface*>(context);
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (surface->Brushes[brush]) FrameRect(surface->Context, &r, surface->Brushes[brush]);
}

void PaintPanel(WPARAM controlId, const DRAWITEMSTRUCT* item, HBRUSH fill) {
    if (!item || (controlId & 0xFFFF) != ABOUT_PANEL_ID || !(item->itemAction & ODA_DRAWENTIRE)) return;
    // The frame brushes take the colours of this moment.
    PanelSurface surface = {item->hDC,
                            {fill, CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)),
                             CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT))}};
    const RECT& r = item->rcItem;
    DrawFramedPanel(controlId, true, {r.left, r.top, r.right, r.bottom}, {FillPanel, FramePanel, &surface});
    DeleteObject(surface.Brushes[PANEL_BRUSH_SHADOW]);
    DeleteObject(surface.Brushes[PANEL_BRUSH_HIGHLIGHT]);
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            DeleteAboutBrush();
            AboutBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
            SetWindowTextA(box, "Nimbrel");
            // The panel covers the whole box: keep it beneath the texts and the button,
            // and let it paint only around them.
            HWND panel = GetDlgItem(box, ABOUT_PANEL_ID);
            if (panel) {
                SetWindowLongPtrA(panel, GWL_STYLE, GetWindowLongPtrA(panel, GWL_STYLE) | WS_CLIPSIBLINGS);
                SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            return TRUE;
        }
        case WM_COMMAND:
            // Escape and the close box send IDCANCEL: the box stays open.
            if (LOWORD(wparam) != IDOK) return FALSE;
            DeleteAboutBrush();
            EndDialog(box, 1);
            EditListEntry(-1, ACTION_SELECT);
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            HDC context = reinterpret_cast<HDC>(wparam);
            SetBkColor(context, GetSysColor(COLOR_BTNFACE));
            SetTextColor(context, GetSysColor(COLOR_BTNTEXT));
            if (!AboutBrush) return 0;
            UnrealizeObject(AboutBrush);
            POINT origin = {0, 0};
            ClientToScreen(box, &origin);
            SetBrushOrgEx(context, origin.x, origin.y, nullptr);
            return reinterpret_cast<INT_PTR>(AboutBrush);
        }
        case WM_DRAWITEM:
            PaintPanel(wparam, reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), AboutBrush);
            return FALSE;
        case WM_SYSCOLORCHANGE:
            DeleteAboutBrush();
            AboutBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
            return FALSE;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(box, &paint);
            EndPaint(box, &paint);
            return FALSE;
        }
        case WM_DESTROY:
            DeleteAboutBrush();
            return FALSE;
        default:
            return FALSE;
    }
}

void RunAboutBox() { DialogBoxParamA(ProgramInstance, "AboutBox", AsWindow(MainWindow), AboutDialogProc, 0); }
