// Entry point of nimbrel.exe and the window procedures: they translate messages into
// calls of the display logic.
// windows.h first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "display/app_state.h"
#include "display/main_window.h"
#include "display/weather_lists.h"
#include "link/request_batch.h"
#include "link/supervision.h"
#include "platform/win32/win32_shell.h"

HINSTANCE ProgramInstance = nullptr;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            if (MainWindowCreated(AsHandle(window)) != 0) return -1;
            break;
        case WM_SIZE:
            MainWindowResized(wparam == SIZE_MINIMIZED);
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            MainWindowClosing();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
            if (header != nullptr && header->code == static_cast<UINT>(LVN_KEYDOWN)) {
                const NMLVKEYDOWN* key = reinterpret_cast<const NMLVKEYDOWN*>(lparam);
                MainWindowListKey(AsHandle(header->hwndFrom), key->wVKey);
            }
            break;
        }
        case WM_COMMAND:
            if (MainWindowCommand(wparam)) return 0;
            break;
        case WM_TIMER:
            SupervisionTick(static_cast<uint32_t>(wparam));
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

int SelectClickedRow(HWND list, LPARAM position) {
    SetFocus(nullptr);
    LVHITTESTINFO hit = {};
    hit.pt.x = 8;  // inside column 0, so a click anywhere along a row finds it
    hit.pt.y = static_cast<LONG>(HIWORD(position));
    int row = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0) {
        LVITEMA item = {};
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        item.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    SetFocus(list);
    return row;
}

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    int32_t kind = ListKindOf(AsHandle(window));
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (SelectClickedRow(window, lparam) >= 0 && kind >= 0) EditListEntry(kind, ACTION_SELECT);
            break;
        case WM_SETFOCUS:
            if (kind >= 0) EditListEntry(kind, ACTION_SELECT);
            break;
        case WM_COMMAND:
            SendMessageA(AsWindow(MainWindow), message, wparam, lparam);
            break;
        default:
            break;
    }
    WNDPROC base = ListBaseProcOf(window);
    return base != nullptr ? CallWindowProcA(base, window, message, wparam, lparam)
                           : DefWindowProcA(window, message, wparam, lparam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    ProgramInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "NIMBREL");
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = "NIMBREL";
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    if (RegisterClassA(&windowClass) == 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 1;
    }

    RecordBaseTitle();
    HWND window =
        CreateWindowExA(0, MAIN_WINDOW_CLASS, BASE_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        MessageBeep(MB_ICONASTERISK);
        return 2;
    }
    MainWindow = AsHandle(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MainWindowShown();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    LinkClose();
    return static_cast<int>(message.wParam);
}
