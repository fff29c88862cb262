// Window-system services of the display logic over Win32 and the common controls.
// windows.h first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include <cstring>

#include "platform/ui.h"
#include "platform/win32/win32_shell.h"

int PlatformMessageBox(WindowHandle owner, const char* text, const char* title, uint32_t style) {
    return MessageBoxA(AsWindow(owner), text, title, style);
}

void PlatformBeep(uint32_t type) { MessageBeep(type); }

int PlatformListFocusedRow(WindowHandle list) {
    return static_cast<int>(
        SendMessageA(AsWindow(list), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void PlatformListMarkRow(WindowHandle list, int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(AsWindow(list), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void PlatformSetFocus(WindowHandle window) { SetFocus(AsWindow(window)); }

int PlatformListRowCount(WindowHandle list) {
    return static_cast<int>(SendMessageA(AsWindow(list), LVM_GETITEMCOUNT, 0, 0));
}

void PlatformListCellText(WindowHandle list, int row, int column, char* out, int outSize) {
    if (outSize <= 0) return;
    out[0] = 0;
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = out;
    item.cchTextMax = outSize;
    SendMessageA(AsWindow(list), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    out[outSize - 1] = 0;
}

void PlatformStartTimer(WindowHandle window, uint32_t id, uint32_t periodMs) {
    SetTimer(AsWindow(window), id, periodMs, nullptr);
}

void PlatformStopTimer(WindowHandle window, uint32_t id) { KillTimer(AsWindow(window), id); }

void PlatformCheckMenuItem(WindowHandle window, uint32_t id, bool checked) {
    CheckMenuItem(GetMenu(AsWindow(window)), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void PlatformEnableMenuItem(WindowHandle window, uint32_t id, bool enabled) {
    EnableMenuItem(GetMenu(AsWindow(window)), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void PlatformSetWindowTitle(WindowHandle window, const char* title) {
    // Every refresh sets the title; an unchanged one is not sent to the window manager.
    char shown[256];
    if (GetWindowTextA(AsWindow(window), shown, sizeof shown) > 0 && std::strcmp(shown, title) == 0) return;
    SetWindowTextA(AsWindow(window), title);
}

void PlatformPostTick(WindowHandle window) { PostMessageA(AsWindow(window), WM_TIMER, 0, 0); }

void PlatformSendClose(WindowHandle window) { SendMessageA(AsWindow(window), WM_CLOSE, 0, 0); }

void PlatformDestroyWindow(WindowHandle window) { DestroyWindow(AsWindow(window)); }

bool PlatformIsMaximizedOrMinimized(WindowHandle window) {
    return IsZoomed(AsWindow(window)) || IsIconic(AsWindow(window));
}

bool PlatformClientSize(WindowHandle window, int32_t* width, int32_t* height) {
    RECT r;
    if (!GetClientRect(AsWindow(window), &r)) return false;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return true;
}

bool PlatformWindowRect(WindowHandle window, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
    RECT r;
    if (!GetWindowRect(AsWindow(window), &r)) return false;
    *left = r.left;
    *top = r.top;
    *right = r.right;
    *bottom = r.bottom;
    return true;
}

void PlatformPlaceChild(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) {
    SetWindowPos(AsWindow(window), nullptr, x, y, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
}

void PlatformPlaceTopLevel(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) {
    SetWindowPos(AsWindow(window), HWND_TOP, x, y, width, height, SWP_SHOWWINDOW);
}

void PlatformScreenSize(int32_t* width, int32_t* height) {
    *width = GetSystemMetrics(SM_CXSCREEN);
    *height = GetSystemMetrics(SM_CYSCREEN);
}

bool PlatformShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// The procedure each list had before ListWindowProc replaced it.
struct ListBaseProc {
    HWND List;
    WNDPROC Proc;
};
static ListBaseProc ListBaseProcs[16];

WNDPROC ListBaseProcOf(HWND list) {
    for (const ListBaseProc& entry : ListBaseProcs)
        if (entry.List == list) return entry.Proc;
    return nullptr;
}

static void KeepListBaseProc(HWND list, WNDPROC proc) {
    for (ListBaseProc& entry : ListBaseProcs)
        if (entry.List == nullptr || !IsWindow(entry.List)) {
            entry = {list, proc};
            return;
        }
}

WindowHandle PlatformCreateList(WindowHandle parent, int32_t x, int32_t y, int32_t width, int32_t height,
                                uint32_t* lastError) {
    SetLastError(0);
    HWND list = CreateWindowExA(
        0, WC_LISTVIEWA, nullptr,
        WS_CHILD | WS_VISIBLE | WS_THICKFRAME | LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING, x, y, width,
        height, AsWindow(parent), nullptr, ProgramInstance, nullptr);
    if (list == nullptr) {
        *lastError = GetLastError();
        return 0;
    }
    *lastError = 0;
    // Kept before the switch so that the first message through ListWindowProc finds it.
    KeepListBaseProc(list, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(list, GWLP_WNDPROC)));
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListWindowProc));
    return AsHandle(list);
}

bool PlatformListAddColumn(WindowHandle list, int32_t index, const char* header, int32_t width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(header);
    column.iSubItem = index;
    return SendMessageA(AsWindow(list), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&column)) >= 0;
}

void PlatformListDeleteAllRows(WindowHandle list) { SendMessageA(AsWindow(list), LVM_DELETEALLITEMS, 0, 0); }

void PlatformListHoldRedraw(WindowHandle list, bool hold) {
    HWND window = AsWindow(list);
    SendMessageA(window, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (!hold) RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

int PlatformListAddRow(WindowHandle list, const char* firstCell) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0x7FFFFFFF;  // at the end; the list sorts it into place
    item.pszText = const_cast<char*>(firstCell);
    return static_cast<int>(
        SendMessageA(AsWindow(list), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void PlatformListSetCell(WindowHandle list, int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(AsWindow(list), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void PlatformReadProfileString(const char* path, const char* section, const char* key, char* out,
                               int outSize) {
    if (outSize <= 0) return;
    GetPrivateProfileStringA(section, key, "", out, static_cast<DWORD>(outSize), path);
    out[outSize - 1] = 0;
}

bool PlatformWriteProfileString(const char* path, const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path) != 0;
}

bool PlatformFileExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool PlatformEnsureDirectory(const char* path) {
    if (CreateDirectoryA(path, nullptr)) return true;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

static bool CopyDirectory(const char* directory, char* out, int outSize) {
    size_t n = std::strlen(directory);
    while (n > 0 && (directory[n - 1] == '\\' || directory[n - 1] == '/')) n--;
    if (n == 0 || n >= static_cast<size_t>(outSize)) return false;
    std::memcpy(out, directory, n);
    out[n] = 0;
    return true;
}

bool PlatformAppDataDirectory(char* out, int outSize) {
    char path[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return false;
    return CopyDirectory(path, out, outSize);
}

bool PlatformWindowsDirectory(char* out, int outSize) {
    char path[MAX_PATH];
    UINT n = GetWindowsDirectoryA(path, sizeof path);
    if (n == 0 || n >= sizeof path) return false;
    return CopyDirectory(path, out, outSize);
}
