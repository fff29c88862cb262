// The edit dialogs on Win32: the modal run over the main window, the placement by the
// list that follows the edited one, the field services, the dialog brush and colours.
#include <windows.h>

#include "platform/dialog.h"
#include "platform/win32/win32_shell.h"

namespace {

struct RunningDialog {
    const DialogHooks* Hooks;
    HWND Owner;
    HWND PlaceBy;
};

// Only one edit dialog is open at a time.
RunningDialog* ActiveDialog = nullptr;
HBRUSH DialogBrush = nullptr;

void DeleteDialogBrush() {
    if (DialogBrush) DeleteObject(DialogBrush);
    DialogBrush = nullptr;
}

void CreateDialogBrush() {
    DeleteDialogBrush();
    DialogBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

// The template's position counts from the owner's client area; move it by the offset of
// placeBy's client area, and keep the whole dialog inside the work area.
void PlaceDialog(HWND dialog, HWND owner, HWND placeBy) {
    RECT box;
    if (!GetWindowRect(dialog, &box)) return;
    POINT ownerOrigin = {0, 0};
    POINT placeOrigin = {0, 0};
    if (owner) ClientToScreen(owner, &ownerOrigin);
    if (placeBy && placeBy != owner)
        ClientToScreen(placeBy, &placeOrigin);
    else
        placeOrigin = ownerOrigin;
    int x = box.left + placeOrigin.x - ownerOrigin.x;
    int y = box.top + placeOrigin.y - ownerOrigin.y;
    RECT work;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        int width = box.right - box.left;
        int height = box.bottom - box.top;
        if (x + width > work.right) x = work.right - width;
        if (y + height > work.bottom) y = work.bottom - height;
        if (x < work.left) x = work.left;
        if (y < work.top) y = work.top;
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR StaticColours(HWND dialog, HDC context) {
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    SetTextColor(context, GetSysColor(COLOR_BTNTEXT));
    if (!DialogBrush) return 0;
    UnrealizeObject(DialogBrush);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    SetBrushOrgEx(context, origin.x, origin.y, nullptr);
    return reinterpret_cast<INT_PTR>(DialogBrush);
}

}  // namespace

INT_PTR CALLBACK EditDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            ActiveDialog = reinterpret_cast<RunningDialog*>(lparam);
            CreateDialogBrush();
            if (ActiveDialog) {
                PlaceDialog(dialog, ActiveDialog->Owner, ActiveDialog->PlaceBy);
                if (ActiveDialog->Hooks->Open) ActiveDialog->Hooks->Open(AsHandle(dialog));
            }
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDOK:
                    if (ActiveDialog && ActiveDialog->Hooks->Accept)
                        ActiveDialog->Hooks->Accept(AsHandle(dialog));
                    EndDialog(dialog, PLATFORM_DIALOG_OK);
                    return TRUE;
                case IDCANCEL:
                    DeleteDialogBrush();
                    EndDialog(dialog, PLATFORM_DIALOG_CANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_CTLCOLORSTATIC:
            return StaticColours(dialog, reinterpret_cast<HDC>(wparam));
        case WM_SYSCOLORCHANGE:
            if (DialogBrush) CreateDialogBrush();
            return FALSE;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
            return FALSE;
        }
        case WM_DESTROY:
            DeleteDialogBrush();
            return FALSE;
        default:
            return FALSE;
    }
}

int PlatformRunDialog(const char* templateName, WindowHandle owner, WindowHandle placeBy,
                      const DialogHooks& hooks) {
    if (!templateName) return PLATFORM_DIALOG_NOT_SHOWN;
    RunningDialog running = {&hooks, AsWindow(owner), AsWindow(placeBy)};
    INT_PTR result = DialogBoxParamA(ProgramInstance, templateName, AsWindow(owner), EditDialogProc,
                                     reinterpret_cast<LPARAM>(&running));
    ActiveDialog = nullptr;
    DeleteDialogBrush();
    if (result == PLATFORM_DIALOG_OK) return PLATFORM_DIALOG_OK;
    // -1 (no dialog), or 0 for an owner that is no window: nothing was shown.
    if (result == -1) return PLATFORM_DIALOG_NOT_SHOWN;
    return PLATFORM_DIALOG_CANCEL;
}

void PlatformGetFieldText(DialogHandle dialog, int32_t controlId, char* out, int outSize) {
    if (outSize <= 0) return;
    out[0] = 0;
    GetDlgItemTextA(AsWindow(dialog), controlId, out, outSize);
    out[outSize - 1] = 0;
}

void PlatformSetFieldText(DialogHandle dialog, int32_t controlId, const char* text) {
    SetDlgItemTextA(AsWindow(dialog), controlId, text ? text : "");
}

void PlatformLockField(DialogHandle dialog, int32_t controlId) {
    HWND field = GetDlgItem(AsWindow(dialog), controlId);
    if (!field) return;
    SendMessageA(field, EM_SETREADONLY, TRUE, 0);
    EnableWindow(field, FALSE);
}

void PlatformSetCaption(DialogHandle dialog, const char* text) {
    SetWindowTextA(AsWindow(dialog), text ? text : "");
}

void PlatformGetCaption(DialogHandle dialog, char* out, int outSize) {
    if (outSize <= 0) return;
    out[0] = 0;
    GetWindowTextA(AsWindow(dialog), out, outSize);
    out[outSize - 1] = 0;
}
