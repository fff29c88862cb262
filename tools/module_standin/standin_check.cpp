// module_standin_check.exe: proves the stand-in program across processes. It starts
// module_standin.exe from its own folder with a log, plays the program's side of the
// batch exchange against it, throws every fault switch, and ends it. Prints one line
// per check; the exit code is the number of failed checks.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "link/batch_codec.h"
#include "tools/module_standin/batch_tools.h"
#include "tools/module_standin/standin_control.h"
#include "weather/exchange.h"

namespace {

constexpr uint32_t SECTION_SIZE = 32700;
constexpr DWORD TIMEOUT_MS = 2000;

int Failures;
UINT IpcMessage;
UINT ControlMessage;
ATOM NameAtom;
HANDLE Mapping;
uint8_t* View;
uint32_t Cursor;

void Check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++Failures;
}

HWND FindStandin() { return FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr); }

// Waits up to timeoutMs for the first FS98MAIN window to differ from `previous`.
HWND WaitForWindowOtherThan(HWND previous, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindStandin();
        if (found != previous) return found;
        if (GetTickCount() - start >= timeoutMs) return previous;
        Sleep(10);
    }
}

bool OpenSection() {
    char name[64];
    std::snprintf(name, sizeof name, "FsasmLib:IPC:%lX:%X", GetCurrentProcessId(), 1u);
    NameAtom = GlobalAddAtomA(name);
    Mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, SECTION_SIZE, name);
    const DWORD error = GetLastError();
    if (NameAtom == 0 || Mapping == nullptr || error == ERROR_ALREADY_EXISTS) return false;
    View = static_cast<uint8_t*>(MapViewOfFile(Mapping, FILE_MAP_WRITE, 0, 0, 0));
    return View != nullptr;
}

void CloseSection() {
    if (View != nullptr) UnmapViewOfFile(View);
    if (Mapping != nullptr) CloseHandle(Mapping);
    if (NameAtom != 0) GlobalDeleteAtom(NameAtom);
    View = nullptr;
    Mapping = nullptr;
    NameAtom = 0;
}

void Begin() { Cursor = 0; }
uint32_t Read(uint32_t offset, uint32_t size) {
    EncodeReadRecord(View + Cursor, offset, size, 0);
    const uint32_t data = Cursor + READ_HEAD_SIZE;
    Cursor = data + size;
    return data;
}
void Write(uint32_t offset, uint32_t size, const void* source) {
    EncodeWriteRecord(View + Cursor, offset, size, source);
    Cursor += WRITE_HEAD_SIZE + size;
}
void WriteWord(uint32_t offset, uint16_t value) {
    uint8_t word[2];
    StoreU16(word, value);
    Write(offset, 2, word);
}
// Sends the queued batch once; false when the send failed or timed out.
bool Send(HWND window, LRESULT* result) {
    EncodeTerminator(View + Cursor);
    DWORD_PTR answer = 0;
    const LRESULT sent =
        SendMessageTimeoutA(window, IpcMessage, NameAtom, 0, SMTO_BLOCK, TIMEOUT_MS, &answer);
    *result = static_cast<LRESULT>(answer);
    return sent != 0;
}
LRESULT Control(HWND window, uint32_t command, uint32_t argument) {
    return SendMessageA(window, ControlMessage, command, argument);
}

// A refresh in the station mode: request and runway request, then both reads.
void QueueStation(const char* icao4, uint32_t* block, uint32_t* runways) {
    uint8_t request[STATION_REQUEST_SIZE] = {};
    std::memcpy(request + SRQ_ICAO, icao4, 4);
    uint8_t runwayRequest[RUNWAY_REQUEST_SIZE] = {};
    std::memcpy(runwayRequest + 4, icao4, 4);
    Begin();
    Write(AREA_STATION_REQUEST, sizeof request, request);
    Write(AREA_RUNWAY_REQUEST, sizeof runwayRequest, runwayRequest);
    *block = Read(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    *runways = Read(AREA_RUNWAY_REPLY, RUNWAY_REPLY_SIZE);
}

bool LogContains(const char* path, const char* text) {
    FILE* f = std::fopen(path, "r");
    if (f == nullptr) return false;
    char line[512];
    bool found = false;
    while (!found && std::fgets(line, sizeof line, f) != nullptr) found = std::strstr(line, text) != nullptr;
    std::fclose(f);
    return found;
}

}  // namespace

int main() {
    IpcMessage = RegisterWindowMessageA("FsasmLib:IPC");
    ControlMessage = RegisterWindowMessageA(STANDIN_CONTROL_MESSAGE);
    if (FindStandin() != nullptr) {
        std::printf("FAIL a window of class FS98MAIN is open already\n");
        return 1;
    }

    char folder[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, folder, sizeof folder);
    char* slash = std::strrchr(folder, '\\');
    if (length == 0 || slash == nullptr) return 1;
    *slash = '\0';
    char logPath[MAX_PATH + 32];
    std::snprintf(logPath, sizeof logPath, "%s\\module_standin_check.log", folder);
    DeleteFileA(logPath);
    char commandLine[3 * MAX_PATH];
    std::snprintf(commandLine, sizeof commandLine,
                  "\"%s\\module_standin.exe\" --tick-ms 0 --late-ms 2300 --log \"%s\"", folder, logPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("FAIL cannot start %s\n", commandLine);
        return 1;
    }
    HWND window = WaitForWindowOtherThan(nullptr, 10000);
    Check(window != nullptr, "the stand-in opens a window of class FS98MAIN");
    Check(OpenSection(), "the section is created");
    if (window == nullptr || View == nullptr) {
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    uint32_t sent = 0;
    LRESULT result = 0;
    uint32_t block = 0, runways = 0;

    QueueStation("EGLL", &block, &runways);
    bool ok = Send(window, &result);
    ++sent;
    Check(ok && result == 1, "a station refresh is answered 1");
    Check(std::memcmp(View + block + OFS_ICAO, "EGLL", 4) == 0 && LoadU32(View + block + OFS_TIMESTAMP) != 0,
          "the requested area holds the station's weather");
    Check(std::memcmp(View + runways, "EGLL", 4) == 0 && View[runways + 8] == 27 && View[runways + 9] == 2,
          "the runway reply names the station and its runways");

    Begin();
    ok = Send(window, &result);
    ++sent;
    Check(ok && result == 1, "an empty batch is answered 1");

    Check(Control(window, STANDIN_FAIL_NEXT, 2) == 1, "control: fail the next 2");
    for (int i = 0; i < 2; ++i) {
        QueueStation("LFPG", &block, &runways);
        ok = Send(window, &result);
        ++sent;
        Check(ok && result == 0, "a refused batch is answered 0");
        Check(LoadU32(View + block + OFS_TIMESTAMP) == 0, "a refused batch is not carried out");
    }
    QueueStation("LFPG", &block, &runways);
    ok = Send(window, &result);
    ++sent;
    Check(ok && result == 1 && std::memcmp(View + block + OFS_ICAO, "LFPG", 4) == 0,
          "the batch after the refused ones is carried out");

    Check(Control(window, STANDIN_LATE_NEXT, 1) == 1, "control: answer the next one late");
    Begin();
    ok = Send(window, &result);
    ++sent;
    Check(!ok, "a late answer misses the time-out");
    Sleep(200);
    Begin();
    ok = Send(window, &result);
    ++sent;
    Check(ok && result == 1, "the retry after a late answer succeeds");

    Check(Control(window, STANDIN_CORRUPT_NEXT, StandinCorruptArgument(CORRUPT_TYPE, 2)) == 1,
          "control: corrupt record 2 of the next answer");
    QueueStation("EGLL", &block, &runways);
    ok = Send(window, &result);
    ++sent;
    uint32_t at = 0;
    Check(ok && result == 1 && LoadU32(View + 60) == CORRUPT_TYPE_VALUE,
          "the corrupted answer carries the bad type at record 2");
    Check(!FindRecord(View, SECTION_SIZE, 2, &at), "the walk stops at the corrupted record");

    Begin();
    StoreU32(View, 9);  // no such record type
    Cursor = 4;
    ok = Send(window, &result);
    ++sent;
    Check(ok && result == 0, "a malformed batch is answered 0");

    // The global weather, changed and written back.
    QueueStation("GLOB", &block, &runways);
    ok = Send(window, &result);
    ++sent;
    WeatherBlock global;
    std::memcpy(global.Bytes, View + block, WEATHER_BLOCK_SIZE);
    const uint32_t oldStamp = BlockTimeStamp(global);
    StorePressureRecord(global.Bytes + OFS_PRESSURE, {16000, 3});
    Begin();
    Write(AREA_WEATHER_BODY, WEATHER_BODY_SIZE, global.Bytes + WEATHER_BODY_OFFSET);
    WriteWord(AREA_WEATHER_COMMAND, COMMAND_WRITE_BACK);
    block = Read(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    ok = ok && Send(window, &result);
    ++sent;
    Check(ok && result == 1 && LoadU16(View + block + OFS_PRESSURE) == 16000 &&
              LoadU32(View + block + OFS_TIMESTAMP) != oldStamp,
          "a write-back replaces the global weather with a new stamp");

    CloseSection();
    Check(OpenSection(), "the section can be created again under the same name");

    Check(Control(window, STANDIN_QUERY_BATCHES, 0) == static_cast<LRESULT>(sent), "the batch count matches");

    Check(Control(window, STANDIN_RESTART, 0) == 1, "control: restart");
    HWND restarted = WaitForWindowOtherThan(window, 1000);
    Check(restarted != nullptr && restarted != window, "a new window is found at once after a restart");
    QueueStation("KDEN", &block, &runways);
    ok = Send(restarted, &result);
    Check(ok && result == 1 && std::memcmp(View + block + OFS_ICAO, "KDEN", 4) == 0,
          "the new window answers at once");

    Check(Control(restarted, STANDIN_VANISH, 0) == 1, "control: vanish");
    Check(WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0, "the stand-in ends at once");
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    Check(exitCode == 0, "with exit code 0");
    Check(FindStandin() == nullptr, "its window is gone");
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseSection();

    Check(LogContains(logPath, "batch 1 name=FsasmLib:IPC:") && LogContains(logPath, "answer=0 refused") &&
              LogContains(logPath, "read offset=0xCC00 size=1024") &&
              LogContains(logPath, "write offset=0xD000 size=8 data=00000000454") &&
              LogContains(logPath, "corrupted kind=1 record=2 done=1") && LogContains(logPath, "vanish"),
          "the log holds the batches, their records and the faults");

    std::printf("%d failed\n", Failures);
    return Failures;
}
