// nimbrel_driver: works a running nimbrel.exe from outside, as a user's tools would,
// through window messages only. One run carries out one or more commands separated
// by "+", prints one line per observation and stops at the first command that fails
// (exit code 1; 2 for a usage error).
//
//   title                                  the main window's title
//   wait-title TEXT SECONDS                until the title is TEXT
//   connect-time TEXT SECONDS              until a simulator window appears, then until the
//                                          title is TEXT; prints the time between the two
//   lists                                  every list: place, headers, row count, first cell
//   rows HEADER                            every row of the list headed HEADER, all cells
//   wait-rows HEADER MIN SECONDS           until that list holds at least MIN rows
//   wait-count HEADER N SECONDS            until it holds exactly N rows
//   wait-cell HEADER ROW COLUMN TEXT SECONDS   until that cell reads TEXT (TEXT* : begins with)
//   key HEADER ROW enter|insert|delete|tab marks ROW (-1: the last) and sends the key
//   dialog CAPTION SECONDS [ID|ID=TEXT]... [hold=MS] ok|cancel
//                                          waits for the dialog, prints the named fields,
//                                          sets those given a text, presses the button
//                                          and waits until the dialog has gone
//   confirm yes|no SECONDS                 answers the delete confirmation box
//   no-box CAPTION MS                      checks that no window CAPTION opens within MS
//   command ID                             posts a menu command to the main window
//   close                                  posts WM_CLOSE
//   rect                                   the main window's outer rectangle
//   move X Y WIDTH HEIGHT                  moves and sizes the main window
//   focus                                  the header of the list that has the keyboard focus
//   control COMMAND ARGUMENT               a fault switch of the module stand-in
//   wait-simulator SECONDS                 until a simulator window exists
//   wait-gone SECONDS                      until the main window has gone
//   sleep MS
//   empty-window MS                        shows a window with an empty list for MS: the
//                                          baseline of a window program under Wine
// List texts travel through buffers placed in the program's own memory, since list
// view messages carry pointers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/module_standin/standin_control.h"

namespace {

constexpr int POLL_MS = 20;
constexpr int TEXT_MAX = 256;
constexpr int REMOTE_SIZE = 4096;
constexpr int REMOTE_TEXT_OFFSET = 1024;

HWND MainWindow() { return FindWindowExA(nullptr, nullptr, "Nimbrel", nullptr); }
HWND SimulatorWindow() { return FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr); }

// Milliseconds left until deadline (a GetTickCount value), never below 0.
int MsLeft(DWORD deadline) {
    int left = static_cast<int>(deadline - GetTickCount());
    return left > 0 ? left : 0;
}

DWORD DeadlineAfterSeconds(const char* seconds) {
    return GetTickCount() + static_cast<DWORD>(std::atoi(seconds)) * 1000;
}

struct Remote {
    HANDLE Process = nullptr;
    char* Base = nullptr;  // in the target
};

bool OpenRemote(HWND window, Remote* remote) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    remote->Process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (remote->Process == nullptr) return false;
    remote->Base = static_cast<char*>(
        VirtualAllocEx(remote->Process, nullptr, REMOTE_SIZE, MEM_COMMIT, PAGE_READWRITE));
    return remote->Base != nullptr;
}

void CloseRemote(Remote* remote) {
    if (remote->Base) VirtualFreeEx(remote->Process, remote->Base, 0, MEM_RELEASE);
    if (remote->Process) CloseHandle(remote->Process);
    remote->Base = nullptr;
    remote->Process = nullptr;
}

// Header text and width of a column; false past the last column.
bool ColumnHeader(HWND list, Remote* remote, int index, char* text, int* width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = remote->Base + REMOTE_TEXT_OFFSET;
    column.cchTextMax = TEXT_MAX;
    text[0] = 0;
    char zero[TEXT_MAX] = {};
    WriteProcessMemory(remote->Process, remote->Base + REMOTE_TEXT_OFFSET, zero, sizeof zero, nullptr);
    if (!WriteProcessMemory(remote->Process, remote->Base, &column, sizeof column, nullptr)) return false;
    if (!SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(remote->Base))) return false;
    LVCOLUMNA answer = {};
    ReadProcessMemory(remote->Process, remote->Base, &answer, sizeof answer, nullptr);
    ReadProcessMemory(remote->Process, remote->Base + REMOTE_TEXT_OFFSET, text, TEXT_MAX - 1, nullptr);
    text[TEXT_MAX - 1] = 0;
    *width = answer.cx;
    return true;
}

void CellText(HWND list, Remote* remote, int row, int column, char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote->Base + REMOTE_TEXT_OFFSET;
    item.cchTextMax = TEXT_MAX;
    char zero[TEXT_MAX] = {};
    text[0] = 0;
    WriteProcessMemory(remote->Process, remote->Base + REMOTE_TEXT_OFFSET, zero, sizeof zero, nullptr);
    if (!WriteProcessMemory(remote->Process, remote->Base, &item, sizeof item, nullptr)) return;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote->Base));
    ReadProcessMemory(remote->Process, remote->Base + REMOTE_TEXT_OFFSET, text, TEXT_MAX - 1, nullptr);
    text[TEXT_MAX - 1] = 0;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// The list of the main window whose first column is headed header.
HWND FindList(HWND main, Remote* remote, const char* header) {
    for (HWND list = FindWindowExA(main, nullptr, "SysListView32", nullptr); list != nullptr;
         list = FindWindowExA(main, list, "SysListView32", nullptr)) {
        char text[TEXT_MAX];
        int width = 0;
        if (ColumnHeader(list, remote, 0, text, &width) && std::strcmp(text, header) == 0) return list;
    }
    return nullptr;
}

// Opens the main window's memory and finds the list; prints why when it cannot.
HWND ReachList(const char* header, Remote* remote, bool quiet = false) {
    HWND main = MainWindow();
    if (main == nullptr) {
        if (!quiet) std::printf("no main window\n");
        return nullptr;
    }
    if (!OpenRemote(main, remote)) {
        if (!quiet) std::printf("cannot reach the program's memory\n");
        CloseRemote(remote);
        return nullptr;
    }
    HWND list = FindList(main, remote, header);
    if (list == nullptr) {
        if (!quiet) std::printf("no list %s\n", header);
        CloseRemote(remote);
    }
    return list;
}

void PrintRow(HWND list, Remote* remote, int row, int columns) {
    std::printf("row %d [", row);
    for (int c = 0; c < columns; c++) {
        char text[TEXT_MAX];
        CellText(list, remote, row, c, text);
        std::printf("%s%s", c ? "|" : "", text);
    }
    std::printf("]\n");
}

int ColumnCount(HWND list, Remote* remote) {
    int columns = 0;
    char text[TEXT_MAX];
    int width = 0;
    while (columns < 32 && ColumnHeader(list, remote, columns, text, &width)) columns++;
    return columns;
}

int Title(int, char*[]) {
    HWND main = MainWindow();
    if (main == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    char title[TEXT_MAX] = {};
    GetWindowTextA(main, title, sizeof title);
    std::printf("title [%s]\n", title);
    return 0;
}

bool TitleIs(const char* expected, char* title) {
    title[0] = 0;
    HWND main = MainWindow();
    return main != nullptr && GetWindowTextA(main, title, TEXT_MAX) >= 0 && std::strcmp(title, expected) == 0;
}

int WaitTitle(int, char* argv[]) {
    DWORD start = GetTickCount();
    DWORD deadline = DeadlineAfterSeconds(argv[1]);
    char title[TEXT_MAX] = {};
    while (!TitleIs(argv[0], title)) {
        if (MsLeft(deadline) == 0) {
            std::printf("title [%s], not [%s]\n", title, argv[0]);
            return 1;
        }
        Sleep(POLL_MS);
    }
    std::printf("title [%s] after %lu ms\n", title, static_cast<unsigned long>(GetTickCount() - start));
    return 0;
}

// Polls tightly: the time between the simulator's window and the title is a figure.
int ConnectTime(int, char* argv[]) {
    DWORD deadline = DeadlineAfterSeconds(argv[1]);
    while (SimulatorWindow() == nullptr) {
        if (MsLeft(deadline) == 0) {
            std::printf("no simulator window\n");
            return 1;
        }
        Sleep(2);
    }
    DWORD appeared = GetTickCount();
    char title[TEXT_MAX] = {};
    while (!TitleIs(argv[0], title)) {
        if (MsLeft(deadline) == 0) {
            std::printf("title [%s], not [%s]\n", title, argv[0]);
            return 1;
        }
        Sleep(2);
    }
    std::printf("title [%s]\nconnect-ms %lu\n", title, static_cast<unsigned long>(GetTickCount() - appeared));
    return 0;
}

int Lists(int, char*[]) {
    HWND main = MainWindow();
    Remote remote;
    if (main == nullptr || !OpenRemote(main, &remote)) {
        std::printf("cannot reach the main window\n");
        CloseRemote(&remote);
        return 1;
    }
    int lists = 0;
    for (HWND list = FindWindowExA(main, nullptr, "SysListView32", nullptr); list != nullptr;
         list = FindWindowExA(main, list, "SysListView32", nullptr)) {
        lists++;
        RECT r;
        GetWindowRect(list, &r);
        POINT origin = {r.left, r.top};
        ScreenToClient(main, &origin);
        std::printf("list at %ld,%ld size %ldx%ld columns", origin.x, origin.y, r.right - r.left,
                    r.bottom - r.top);
        char text[TEXT_MAX];
        int width = 0;
        for (int c = 0; c < 16 && ColumnHeader(list, &remote, c, text, &width); c++)
            std::printf(" %s:%d", text, width);
        int rows = RowCount(list);
        std::printf(" rows %d", rows);
        if (rows > 0) {
            CellText(list, &remote, 0, 0, text);
            std::printf(" first [%s]", text);
        }
        std::printf("\n");
    }
    CloseRemote(&remote);
    std::printf("lists %d\n", lists);
    return 0;
}

int Rows(int, char* argv[]) {
    Remote remote;
    HWND list = ReachList(argv[0], &remote);
    if (list == nullptr) return 1;
    int columns = ColumnCount(list, &remote);
    int rows = RowCount(list);
    for (int row = 0; row < rows; row++) PrintRow(list, &remote, row, columns);
    std::printf("rows %s %d\n", argv[0], rows);
    CloseRemote(&remote);
    return 0;
}

// Waits until the row count passes test (exact or at least).
int WaitRowCount(const char* header, int wanted, bool exact, const char* seconds) {
    DWORD deadline = DeadlineAfterSeconds(seconds);
    int rows = -1;
    for (;;) {
        Remote remote;
        HWND list = ReachList(header, &remote, true);
        if (list != nullptr) {
            rows = RowCount(list);
            CloseRemote(&remote);
            if (exact ? rows == wanted : rows >= wanted) {
                std::printf("rows %s %d\n", header, rows);
                return 0;
            }
        }
        if (MsLeft(deadline) == 0) break;
        Sleep(POLL_MS);
    }
    std::printf("rows %s %d, not %s%d\n", header, rows, exact ? "" : "at least ", wanted);
    return 1;
}

int WaitRows(int, char* argv[]) { return WaitRowCount(argv[0], std::atoi(argv[1]), false, argv[2]); }
int WaitCount(int, char* argv[]) { return WaitRowCount(argv[0], std::atoi(argv[1]), true, argv[2]); }

// Exact, or a prefix when pattern ends with '*'.
bool TextMatches(const char* text, const char* pattern) {
    size_t length = std::strlen(pattern);
    if (length > 0 && pattern[length - 1] == '*') return std::strncmp(text, pattern, length - 1) == 0;
    return std::strcmp(text, pattern) == 0;
}

int WaitCell(int, char* argv[]) {
    int row = std::atoi(argv[1]);
    int column = std::atoi(argv[2]);
    DWORD deadline = DeadlineAfterSeconds(argv[4]);
    char text[TEXT_MAX] = {};
    for (;;) {
        Remote remote;
        HWND list = ReachList(argv[0], &remote, true);
        if (list != nullptr) {
            CellText(list, &remote, row, column, text);
            CloseRemote(&remote);
            if (TextMatches(text, argv[3])) {
                std::printf("cell %s %d %d [%s]\n", argv[0], row, column, text);
                return 0;
            }
        }
        if (MsLeft(deadline) == 0) break;
        Sleep(POLL_MS);
    }
    std::printf("cell %s %d %d [%s], not [%s]\n", argv[0], row, column, text, argv[3]);
    return 1;
}

int KeyCode(const char* name) {
    if (std::strcmp(name, "enter") == 0) return VK_RETURN;
    if (std::strcmp(name, "insert") == 0) return VK_INSERT;
    if (std::strcmp(name, "delete") == 0) return VK_DELETE;
    if (std::strcmp(name, "tab") == 0) return VK_TAB;
    return 0;
}

int Key(int, char* argv[]) {
    int key = KeyCode(argv[2]);
    if (key == 0) {
        std::printf("unknown key %s\n", argv[2]);
        return 2;
    }
    Remote remote;
    HWND list = ReachList(argv[0], &remote);
    if (list == nullptr) return 1;
    int row = std::atoi(argv[1]);
    if (row < 0) row = RowCount(list) - 1;
    LVITEMA item = {};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    bool marked = WriteProcessMemory(remote.Process, remote.Base, &item, sizeof item, nullptr) &&
                  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote.Base));
    CloseRemote(&remote);
    if (!marked) {
        std::printf("row %d of %s not marked\n", row, argv[0]);
        return 1;
    }
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(list, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(list, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
    std::printf("key %s to %s row %d\n", argv[2], argv[0], row);
    return 0;
}

HWND WaitTopLevel(const char* caption, DWORD deadline) {
    for (;;) {
        HWND window = FindWindowExA(nullptr, nullptr, "#32770", caption);
        if (window != nullptr && IsWindowVisible(window)) return window;
        if (MsLeft(deadline) == 0) return nullptr;
        Sleep(POLL_MS);
    }
}

bool WaitClosed(HWND window, int ms) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    while (IsWindow(window)) {
        if (MsLeft(deadline) == 0) return false;
        Sleep(POLL_MS);
    }
    return true;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// dialog CAPTION SECONDS [ID|ID=TEXT]... [hold=MS] ok|cancel; argc counts from CAPTION.
int Dialog(int argc, char* argv[]) {
    const char* button = argv[argc - 1];
    int buttonId = std::strcmp(button, "ok") == 0 ? IDOK : std::strcmp(button, "cancel") == 0 ? IDCANCEL : 0;
    if (buttonId == 0) {
        std::printf("dialog: the last word must be ok or cancel\n");
        return 2;
    }
    HWND dialog = WaitTopLevel(argv[0], DeadlineAfterSeconds(argv[1]));
    if (dialog == nullptr) {
        std::printf("no dialog [%s]\n", argv[0]);
        return 1;
    }
    std::printf("dialog [%s]\n", argv[0]);
    int hold = 0;
    for (int i = 2; i < argc - 1; i++) {
        if (std::strncmp(argv[i], "hold=", 5) == 0) {
            hold = std::atoi(argv[i] + 5);
            continue;
        }
        const char* equals = std::strchr(argv[i], '=');
        int id = std::atoi(argv[i]);
        HWND field = GetDlgItem(dialog, id);
        if (field == nullptr) {
            std::printf("no field %d\n", id);
            return 1;
        }
        char text[TEXT_MAX] = {};
        SendMessageA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("field %d [%s]%s\n", id, text, IsWindowEnabled(field) ? "" : " locked");
        if (equals != nullptr) SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(equals + 1));
    }
    std::fflush(stdout);
    if (hold > 0) Sleep(hold);
    PressButton(dialog, buttonId);
    if (!WaitClosed(dialog, 10000)) {
        std::printf("dialog still open\n");
        return 1;
    }
    std::printf("dialog closed by %s\n", button);
    return 0;
}

int Confirm(int, char* argv[]) {
    int id = std::strcmp(argv[0], "yes") == 0 ? IDYES : std::strcmp(argv[0], "no") == 0 ? IDNO : 0;
    if (id == 0) {
        std::printf("confirm: yes or no\n");
        return 2;
    }
    HWND box = WaitTopLevel("Confirm delete!", DeadlineAfterSeconds(argv[1]));
    if (box == nullptr) {
        std::printf("no confirmation box\n");
        return 1;
    }
    // The question is the box's static text that is not its icon.
    char text[TEXT_MAX] = {};
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child != nullptr;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        char candidate[TEXT_MAX] = {};
        GetWindowTextA(child, candidate, sizeof candidate);
        if (candidate[0] != 0) std::memcpy(text, candidate, sizeof text);
    }
    std::printf("box [Confirm delete!] text [%s]\n", text);
    std::fflush(stdout);
    PressButton(box, id);
    if (!WaitClosed(box, 10000)) {
        std::printf("box still open\n");
        return 1;
    }
    std::printf("box answered %s\n", argv[0]);
    return 0;
}

int NoBox(int, char* argv[]) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[1]));
    HWND window = WaitTopLevel(argv[0], deadline);
    if (window != nullptr) {
        std::printf("window [%s] opened\n", argv[0]);
        PressButton(window, IDCANCEL);
        return 1;
    }
    std::printf("no window [%s]\n", argv[0]);
    return 0;
}

int PostToMain(UINT message, WPARAM first) {
    HWND main = MainWindow();
    if (main == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    return PostMessageA(main, message, first, 0) ? 0 : 1;
}

int Command(int, char* argv[]) {
    std::printf("command %s\n", argv[0]);
    return PostToMain(WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[0])));
}

int Close(int, char*[]) { return PostToMain(WM_CLOSE, 0); }

int Rect(int, char*[]) {
    HWND main = MainWindow();
    RECT r;
    if (main == nullptr || !GetWindowRect(main, &r)) {
        std::printf("no main window\n");
        return 1;
    }
    std::printf("rect %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int Move(int, char* argv[]) {
    HWND main = MainWindow();
    if (main == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    int x = std::atoi(argv[0]), y = std::atoi(argv[1]), width = std::atoi(argv[2]), height = std::atoi(argv[3]);
    if (!SetWindowPos(main, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) {
        std::printf("move refused\n");
        return 1;
    }
    return Rect(0, argv);
}

int Focus(int, char*[]) {
    HWND main = MainWindow();
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (main == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) {
        std::printf("no thread information\n");
        return 1;
    }
    char className[64] = {};
    if (info.hwndFocus != nullptr) GetClassNameA(info.hwndFocus, className, sizeof className);
    if (std::strcmp(className, "SysListView32") != 0) {
        std::printf("focus [%s]\n", className);
        return 0;
    }
    Remote remote;
    char header[TEXT_MAX] = {};
    int width = 0;
    if (OpenRemote(main, &remote)) ColumnHeader(info.hwndFocus, &remote, 0, header, &width);
    CloseRemote(&remote);
    std::printf("focus list [%s]\n", header);
    return 0;
}

int Control(int, char* argv[]) {
    HWND simulator = SimulatorWindow();
    if (simulator == nullptr) {
        std::printf("no simulator window\n");
        return 1;
    }
    UINT message = RegisterWindowMessageA(STANDIN_CONTROL_MESSAGE);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(simulator, message, static_cast<WPARAM>(std::atoi(argv[0])),
                             static_cast<LPARAM>(std::atoi(argv[1])), SMTO_NORMAL, 10000, &answer)) {
        std::printf("control %s %s: no answer\n", argv[0], argv[1]);
        return 1;
    }
    std::printf("control %s %s answer %lu\n", argv[0], argv[1], static_cast<unsigned long>(answer));
    return answer != 0 ? 0 : 1;
}

int WaitSimulator(int, char* argv[]) {
    DWORD deadline = DeadlineAfterSeconds(argv[0]);
    while (SimulatorWindow() == nullptr) {
        if (MsLeft(deadline) == 0) {
            std::printf("no simulator window\n");
            return 1;
        }
        Sleep(POLL_MS);
    }
    std::printf("simulator window\n");
    return 0;
}

int WaitGone(int, char* argv[]) {
    DWORD deadline = DeadlineAfterSeconds(argv[0]);
    while (MainWindow() != nullptr) {
        if (MsLeft(deadline) == 0) {
            std::printf("main window still there\n");
            return 1;
        }
        Sleep(POLL_MS);
    }
    std::printf("main window gone\n");
    return 0;
}

int SleepMs(int, char* argv[]) {
    Sleep(static_cast<DWORD>(std::atoi(argv[0])));
    return 0;
}

int EmptyWindow(int, char* argv[]) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window = CreateWindowA("STATIC", "baseline", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 905, 594,
                                nullptr, nullptr, instance, nullptr);
    CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 400, 300, window, nullptr,
                  instance, nullptr);
    DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[0]));
    MSG message;
    while (static_cast<int32_t>(deadline - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(POLL_MS);
    }
    DestroyWindow(window);
    return 0;
}

struct CommandEntry {
    const char* Name;
    int MinArgs;  // words after the name
    int MaxArgs;  // -1: any number
    int (*Run)(int words, char* argv[]);
};

const CommandEntry COMMANDS[] = {
    {"title", 0, 0, Title},
    {"wait-title", 2, 2, WaitTitle},
    {"connect-time", 2, 2, ConnectTime},
    {"lists", 0, 0, Lists},
    {"rows", 1, 1, Rows},
    {"wait-rows", 3, 3, WaitRows},
    {"wait-count", 3, 3, WaitCount},
    {"wait-cell", 5, 5, WaitCell},
    {"key", 3, 3, Key},
    {"dialog", 3, -1, Dialog},
    {"confirm", 2, 2, Confirm},
    {"no-box", 2, 2, NoBox},
    {"command", 1, 1, Command},
    {"close", 0, 0, Close},
    {"rect", 0, 0, Rect},
    {"move", 4, 4, Move},
    {"focus", 0, 0, Focus},
    {"control", 2, 2, Control},
    {"wait-simulator", 1, 1, WaitSimulator},
    {"wait-gone", 1, 1, WaitGone},
    {"sleep", 1, 1, SleepMs},
    {"empty-window", 1, 1, EmptyWindow},
};

// Runs argv[0] with its argc - 1 words.
int RunOne(int argc, char* argv[]) {
    for (const CommandEntry& entry : COMMANDS) {
        if (std::strcmp(entry.Name, argv[0]) != 0) continue;
        int words = argc - 1;
        if (words < entry.MinArgs || (entry.MaxArgs >= 0 && words > entry.MaxArgs)) {
            std::printf("%s: wrong number of words\n", argv[0]);
            return 2;
        }
        return entry.Run(words, argv + 1);
    }
    std::printf("unknown command %s\n", argv[0]);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: nimbrel_driver COMMAND [WORDS]... [+ COMMAND [WORDS]...]...\n");
        return 2;
    }
    int start = 1;
    while (start < argc) {
        int end = start;
        while (end < argc && std::strcmp(argv[end], "+") != 0) end++;
        if (end > start) {
            int result = RunOne(end - start, argv + start);
            std::fflush(stdout);
            if (result != 0) return result;
        }
        start = end + 1;
    }
    return 0;
}
