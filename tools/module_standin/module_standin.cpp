// The module stand-in: a top-level window of class "FS98MAIN" that answers the
// request batch message over the stand-in's weather model, so Nimbrel can run and be
// tested without a simulator. Fault switches arrive through the control message
// (standin_control.h); --log FILE records every batch.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "link/module_contract.h"
#include "tools/module_standin/batch_tools.h"
#include "tools/module_standin/standin_control.h"
#include "tools/module_standin/weather_model.h"
#include "weather/exchange.h"

namespace {

constexpr const char* WINDOW_CLASS = "FS98MAIN";
constexpr const char* WINDOW_TITLE = "Nimbrel module stand-in";
constexpr const char* IPC_MESSAGE = "FsasmLib:IPC";
constexpr uint32_t SECTION_SIZE = 32700;
constexpr UINT_PTR TICK_TIMER = 1;
constexpr UINT TICK_TIMER_MS = 250;
constexpr UINT MSG_RESTART = WM_APP + 1;
constexpr UINT MSG_VANISH = WM_APP + 2;

// Each window runs on a thread of its own, so that taking an old window down after a
// restart (hiding a window can take seconds under X without a window manager) never
// holds up the new one. The lock guards everything below it.
CRITICAL_SECTION Lock;
HANDLE QuitEvent;    // set when the window is closed for good
HANDLE WindowReady;  // set by a window thread once its window exists (or failed)
HWND RetiringWindow;

ModuleSpace Space;
StandinOptions Options;
HINSTANCE Instance;
HWND MainWindow;
UINT IpcMessage;
UINT ControlMessage;
FILE* Log;

uint32_t Batches;
uint32_t AcceptedBatches;
uint32_t FailNext;
uint32_t LateNext;
uint32_t LateMs = STANDIN_DEFAULT_LATE_MS;
StandinCorruption CorruptKind = CORRUPT_NONE;
uint32_t CorruptIndex;
char LastSection[64] = "-";

bool OpenWindow();

void LogLine(const char* text) {
    if (Log == nullptr) return;
    std::fprintf(Log, "%s\n", text);
    std::fflush(Log);
}

// The section's size as mapped, at most the size the program creates.
uint32_t ViewSize(const void* view) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(view, &info, sizeof info) == 0) return 0;
    return info.RegionSize < SECTION_SIZE ? static_cast<uint32_t>(info.RegionSize) : SECTION_SIZE;
}

// One batch: the atom names the section. The section is opened per batch and closed
// again, so that holding it never keeps a closed link's section alive.
LRESULT AnswerBatch(WPARAM atomParameter) {
    const uint32_t number = ++Batches;
    char name[256];
    char note[64];
    const UINT length =
        atomParameter <= 0xFFFF ? GlobalGetAtomNameA(static_cast<ATOM>(atomParameter), name, sizeof name) : 0;
    if (length == 0) {
        std::snprintf(note, sizeof note, "batch %u name=? answer=0 no-atom", number);
        LogLine(note);
        return 0;
    }
    std::snprintf(LastSection, sizeof LastSection, "%s", name);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    uint8_t* view =
        mapping != nullptr
            ? static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0))
            : nullptr;
    if (view == nullptr) {
        std::snprintf(note, sizeof note, "batch %u name=%s answer=0 no-section", number, name);
        LogLine(note);
        if (mapping != nullptr) CloseHandle(mapping);
        return 0;
    }
    const uint32_t size = ViewSize(view);

    int answer = 0;
    note[0] = '\0';
    if (FailNext > 0) {
        --FailNext;
        std::snprintf(note, sizeof note, "refused");
    } else {
        answer = ModuleProcessBatch(view, size, Space, ModelOnWrite, nullptr);
        if (answer == 0) std::snprintf(note, sizeof note, "malformed");
    }
    LogBatch(Log, number, name, view, size, answer, note);
    if (answer == 1 && CorruptKind != CORRUPT_NONE) {
        const int done = CorruptRecord(view, size, CorruptKind, CorruptIndex);
        std::snprintf(note, sizeof note, "corrupted kind=%u record=%u done=%d", CorruptKind, CorruptIndex,
                      done);
        LogLine(note);
        CorruptKind = CORRUPT_NONE;
    }
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    if (answer == 1) ++AcceptedBatches;
    if (LateNext > 0) {
        --LateNext;
        std::snprintf(note, sizeof note, "late %u ms", LateMs);
        LogLine(note);
        Sleep(LateMs);
    }
    InvalidateRect(MainWindow, nullptr, TRUE);
    return answer;
}

LRESULT Control(WPARAM command, LPARAM argument) {
    const uint32_t value = static_cast<uint32_t>(argument);
    char line[96];
    std::snprintf(line, sizeof line, "control %u %u", static_cast<uint32_t>(command), value);
    LogLine(line);
    switch (command) {
        case STANDIN_FAIL_NEXT:
            FailNext = value;
            break;
        case STANDIN_LATE_NEXT:
            LateNext = value;
            break;
        case STANDIN_CORRUPT_NEXT:
            CorruptKind = static_cast<StandinCorruption>(value & 0xFF);
            CorruptIndex = value >> 8;
            break;
        case STANDIN_RESTART:
            PostMessageA(MainWindow, MSG_RESTART, 0, 0);
            break;
        case STANDIN_VANISH:
            PostMessageA(MainWindow, MSG_VANISH, 0, 0);
            break;
        case STANDIN_AIRCRAFT_GLOBAL:
            ModelSetAircraftOnGlobal(Space, value != 0);
            break;
        case STANDIN_CHANGE_AIRCRAFT:
            ModelChangeAircraftWeather(Space);
            break;
        case STANDIN_RESET: {
            const uint32_t tick = Model.TickIntervalMs;
            ModelReset(Space, Options);
            Model.TickIntervalMs = tick;
            break;
        }
        case STANDIN_QUERY_BATCHES:
            return static_cast<LRESULT>(Batches);
        case STANDIN_SET_TICK_MS:
            Model.TickIntervalMs = value;
            break;
        case STANDIN_SET_LATE_MS:
            LateMs = value;
            break;
        default:
            return 0;
    }
    InvalidateRect(MainWindow, nullptr, TRUE);
    return 1;
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const uint8_t* aircraft = Space.Bytes + AREA_AIRCRAFT_WEATHER + OFS_ICAO;
    const uint8_t* requested = Space.Bytes + AREA_REQUESTED_WEATHER + OFS_ICAO;
    char lines[3][160];
    std::snprintf(lines[0], sizeof lines[0], "Batches %u, accepted %u, last section %s", Batches,
                  AcceptedBatches, LastSection);
    std::snprintf(lines[1], sizeof lines[1], "Aircraft %.4s (stamp %u), requested %.4s (stamp %u)",
                  aircraft[0] != 0 ? reinterpret_cast<const char*>(aircraft) : "----",
                  LoadU32(Space.Bytes + AREA_AIRCRAFT_WEATHER + OFS_TIMESTAMP),
                  requested[0] != 0 ? reinterpret_cast<const char*>(requested) : "----",
                  LoadU32(Space.Bytes + AREA_REQUESTED_WEATHER + OFS_TIMESTAMP));
    std::snprintf(lines[2], sizeof lines[2],
                  "Write-backs %u, commands %u; faults: fail %u, late %u, corrupt %u", Model.WriteBacks,
                  Model.Commands, FailNext, LateNext, CorruptKind);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 3; ++i)
        TextOutA(dc, 8, 6 + 18 * i, lines[i], static_cast<int>(std::strlen(lines[i])));
    EndPaint(window, &paint);
}

DWORD WINAPI WindowThread(void*);

LRESULT Locked(LRESULT (*handler)(WPARAM, LPARAM), WPARAM wparam, LPARAM lparam) {
    EnterCriticalSection(&Lock);
    const LRESULT result = handler(wparam, lparam);
    LeaveCriticalSection(&Lock);
    return result;
}

LRESULT AnswerBatchHandler(WPARAM wparam, LPARAM) { return AnswerBatch(wparam); }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == IpcMessage && IpcMessage != 0) return Locked(AnswerBatchHandler, wparam, lparam);
    if (message == ControlMessage && ControlMessage != 0) return Locked(Control, wparam, lparam);
    switch (message) {
        case WM_CREATE:
            SetTimer(window, TICK_TIMER, TICK_TIMER_MS, nullptr);
            return 0;
        case WM_TIMER: {
            EnterCriticalSection(&Lock);
            if (wparam == TICK_TIMER && ModelTick(Space, GetTickCount()))
                InvalidateRect(window, nullptr, TRUE);
            LeaveCriticalSection(&Lock);
            return 0;
        }
        case WM_PAINT:
            EnterCriticalSection(&Lock);
            Paint(window);
            LeaveCriticalSection(&Lock);
            return 0;
        case MSG_RESTART: {
            // The new window first: it lies on top, so whoever looks for the first window of
            // the class finds it at once, while this thread takes the old one down.
            EnterCriticalSection(&Lock);
            RetiringWindow = window;
            LeaveCriticalSection(&Lock);
            HANDLE thread = CreateThread(nullptr, 0, WindowThread, nullptr, 0, nullptr);
            if (thread == nullptr) {
                SetEvent(QuitEvent);
                return 0;
            }
            CloseHandle(thread);
            // Messages the new window sends this one (while it is created) are taken as they come.
            const DWORD start = GetTickCount();
            while (GetTickCount() - start < 10000 &&
                   MsgWaitForMultipleObjects(1, &WindowReady, FALSE, 100, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
                MSG sent;
                PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
            DestroyWindow(window);
            return 0;
        }
        case MSG_VANISH:
            // Gone at once, window and all, as a crashed simulator would be.
            EnterCriticalSection(&Lock);
            LogLine("vanish");
            if (Log != nullptr) std::fclose(Log);
            ExitProcess(0);
        case WM_DESTROY:
            KillTimer(window, TICK_TIMER);
            PostQuitMessage(0);
            EnterCriticalSection(&Lock);
            if (window != RetiringWindow) SetEvent(QuitEvent);
            LeaveCriticalSection(&Lock);
            return 0;
        default:
            return DefWindowProcA(window, message, wparam, lparam);
    }
}

DWORD WINAPI WindowThread(void*) {
    EnterCriticalSection(&Lock);
    const bool opened = OpenWindow();
    LeaveCriticalSection(&Lock);
    SetEvent(WindowReady);
    if (!opened) {
        SetEvent(QuitEvent);
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

bool OpenWindow() {
    RECT work{0, 0, 1280, 800};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = 460, height = 110;
    MainWindow =
        CreateWindowExA(0, WINDOW_CLASS, WINDOW_TITLE, WS_OVERLAPPEDWINDOW, work.right - width - 8,
                        work.bottom - height - 8, width, height, nullptr, nullptr, Instance, nullptr);
    if (MainWindow == nullptr) return false;
    ShowWindow(MainWindow, SW_SHOWNOACTIVATE);
    char line[64];
    std::snprintf(line, sizeof line, "window %p", static_cast<void*>(MainWindow));
    LogLine(line);
    return true;
}

bool ParseNumber(const char* text, uint32_t* value) {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text, &end, 0);
    if (end == text || *end != '\0') return false;
    *value = static_cast<uint32_t>(parsed);
    return true;
}

bool ParseArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(a, "--aircraft-global") == 0) {
            Options.AircraftOnGlobal = true;
        } else if (std::strcmp(a, "--log") == 0 && hasValue) {
            Log = std::fopen(argv[++i], "a");
            if (Log == nullptr) return false;
        } else if (std::strcmp(a, "--tick-ms") == 0 && hasValue) {
            if (!ParseNumber(argv[++i], &Options.TickIntervalMs)) return false;
        } else if (std::strcmp(a, "--late-ms") == 0 && hasValue) {
            if (!ParseNumber(argv[++i], &LateMs)) return false;
        } else if (std::strcmp(a, "--seed") == 0 && hasValue) {
            if (!ParseNumber(argv[++i], &Options.Seed)) return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Instance = instance;
    Options = StandinDefaultOptions();
    if (!ParseArguments(__argc, __argv)) {
        MessageBoxA(
            nullptr,
            "Usage: module_standin [--log FILE] [--aircraft-global] [--tick-ms N] [--late-ms N] [--seed N]",
            WINDOW_TITLE, MB_OK | MB_ICONWARNING);
        return 2;
    }
    ModelReset(Space, Options);

    IpcMessage = RegisterWindowMessageA(IPC_MESSAGE);
    ControlMessage = RegisterWindowMessageA(STANDIN_CONTROL_MESSAGE);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WINDOW_CLASS;
    InitializeCriticalSection(&Lock);
    QuitEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WindowReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (IpcMessage == 0 || ControlMessage == 0 || QuitEvent == nullptr || WindowReady == nullptr ||
        RegisterClassA(&windowClass) == 0)
        return 1;
    HANDLE first = CreateThread(nullptr, 0, WindowThread, nullptr, 0, nullptr);
    if (first == nullptr) return 1;
    CloseHandle(first);

    WaitForSingleObject(QuitEvent, INFINITE);
    EnterCriticalSection(&Lock);
    const bool failed = MainWindow == nullptr;
    LogLine("exit");
    if (Log != nullptr) std::fclose(Log);
    Log = nullptr;
    LeaveCriticalSection(&Lock);
    return failed ? 1 : 0;
}
