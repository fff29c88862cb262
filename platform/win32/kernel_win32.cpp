// Kernel services on Win32.
#include <windows.h>

#include "platform/kernel.h"

static_assert(PLATFORM_ERROR_ALREADY_EXISTS == ERROR_ALREADY_EXISTS);

uint32_t PlatformRegisterMessage(const char* name) { return RegisterWindowMessageA(name); }

uint16_t PlatformAddAtom(const char* name) { return GlobalAddAtomA(name); }

void PlatformDeleteAtom(uint16_t atom) { GlobalDeleteAtom(atom); }

SectionHandle PlatformCreateSection(const char* name, uint32_t size, uint32_t* lastError) {
    HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
    *lastError = GetLastError();
    return reinterpret_cast<SectionHandle>(section);
}

void PlatformCloseSection(SectionHandle section) { CloseHandle(reinterpret_cast<HANDLE>(section)); }

uint8_t* PlatformMapSection(SectionHandle section, uint32_t* lastError) {
    void* view = MapViewOfFile(reinterpret_cast<HANDLE>(section), FILE_MAP_WRITE, 0, 0, 0);
    *lastError = view != nullptr ? 0 : GetLastError();
    return static_cast<uint8_t*>(view);
}

void PlatformUnmapSection(uint8_t* view) { UnmapViewOfFile(view); }

bool PlatformSendMessageTimeout(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam,
                                uint32_t timeoutMs, intptr_t* result) {
    DWORD_PTR answer = 0;
    LRESULT sent = SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(wparam),
                                       static_cast<LPARAM>(lparam), SMTO_BLOCK, timeoutMs, &answer);
    if (sent == 0) return false;
    *result = static_cast<intptr_t>(answer);
    return true;
}

void PlatformSleep(uint32_t milliseconds) { Sleep(milliseconds); }

uint32_t PlatformProcessId() { return GetCurrentProcessId(); }

WindowHandle PlatformFindTopLevelWindow(const char* className) {
    return reinterpret_cast<WindowHandle>(FindWindowExA(nullptr, nullptr, className, nullptr));
}
