// Looks at the running program from outside, as a user's tools would:
//   nimbrel_probe wait-title TEXT SECONDS   waits until the main window's title is TEXT
//   nimbrel_probe lists                     prints each list: headers, row count, row 0
//   nimbrel_probe close                     posts WM_CLOSE to the main window
// Exit code 0 when the look succeeded. List texts are read through buffers placed in
// the program's own memory, since list messages carry pointers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND FindMainWindow() { return FindWindowExA(nullptr, nullptr, "Nimbrel", nullptr); }

struct RemoteBuffer {
    HANDLE Process = nullptr;
    char* Base = nullptr;  // in the target
};

static bool OpenRemote(HWND window, RemoteBuffer* remote) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    remote->Process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (remote->Process == nullptr) return false;
    remote->Base =
        static_cast<char*>(VirtualAllocEx(remote->Process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    return remote->Base != nullptr;
}

static void CloseRemote(RemoteBuffer* remote) {
    if (remote->Base) VirtualFreeEx(remote->Process, remote->Base, 0, MEM_RELEASE);
    if (remote->Process) CloseHandle(remote->Process);
}

// Header text of column index, or false past the last column.
static bool ColumnHeader(HWND list, RemoteBuffer* remote, int index, char* out, int outSize) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = remote->Base + 1024;
    column.cchTextMax = 256;
    WriteProcessMemory(remote->Process, remote->Base, &column, sizeof column, nullptr);
    if (!SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(remote->Base))) return false;
    LVCOLUMNA answer = {};
    ReadProcessMemory(remote->Process, remote->Base, &answer, sizeof answer, nullptr);
    char text[256] = {};
    ReadProcessMemory(remote->Process, remote->Base + 1024, text, sizeof text - 1, nullptr);
    std::snprintf(out, outSize, "%s:%d", text, answer.cx);
    return true;
}

static void CellText(HWND list, RemoteBuffer* remote, int row, int column, char* out, int outSize) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote->Base + 1024;
    item.cchTextMax = 256;
    WriteProcessMemory(remote->Process, remote->Base, &item, sizeof item, nullptr);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote->Base));
    char text[256] = {};
    ReadProcessMemory(remote->Process, remote->Base + 1024, text, sizeof text - 1, nullptr);
    std::snprintf(out, outSize, "%s", text);
}

static int PrintLists(HWND main) {
    RemoteBuffer remote;
    if (!OpenRemote(main, &remote)) {
        std::printf("cannot reach the program's memory\n");
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
        char text[300];
        for (int c = 0; c < 16 && ColumnHeader(list, &remote, c, text, sizeof text); c++)
            std::printf(" %s", text);
        int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        std::printf(" rows %d", rows);
        if (rows > 0) {
            CellText(list, &remote, 0, 0, text, sizeof text);
            std::printf(" first [%s]", text);
        }
        std::printf("\n");
    }
    CloseRemote(&remote);
    std::printf("lists %d\n", lists);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (std::strcmp(argv[1], "wait-title") == 0 && argc == 4) {
        DWORD deadline = GetTickCount() + static_cast<DWORD>(atoi(argv[3])) * 1000;
        char title[256] = {};
        do {
            HWND main = FindMainWindow();
            if (main != nullptr && GetWindowTextA(main, title, sizeof title) >= 0 &&
                std::strcmp(title, argv[2]) == 0) {
                std::printf("title [%s]\n", title);
                return 0;
            }
            Sleep(100);
        } while (static_cast<int>(deadline - GetTickCount()) > 0);
        std::printf("title [%s]\n", title);
        return 1;
    }
    HWND main = FindMainWindow();
    if (main == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    if (std::strcmp(argv[1], "lists") == 0) return PrintLists(main);
    if (std::strcmp(argv[1], "close") == 0) return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
