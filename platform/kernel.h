// Kernel services the link and the supervision need: named sections, atoms,
// registered messages, a synchronous send with a time-out, sleep, process id and
// finding the simulator's window. The product links the Win32 implementation;
// the tests link a fake that serves an in-process module.
#pragma once

#include <cstdint>

using WindowHandle = uintptr_t;   // 0 = none
using SectionHandle = uintptr_t;  // 0 = none

constexpr uint32_t PLATFORM_ERROR_ALREADY_EXISTS = 183;

// 0 when the message cannot be registered.
uint32_t PlatformRegisterMessage(const char* name);
// 0 on failure.
uint16_t PlatformAddAtom(const char* name);
void PlatformDeleteAtom(uint16_t atom);
// Creates a read/write section of the paging file under name. Returns 0 on failure.
// *lastError receives the system's last error code taken right after the creation
// (PLATFORM_ERROR_ALREADY_EXISTS when a section of that name existed already).
SectionHandle PlatformCreateSection(const char* name, uint32_t size, uint32_t* lastError);
void PlatformCloseSection(SectionHandle section);
// Maps the whole section for writing; null on failure with *lastError set.
uint8_t* PlatformMapSection(SectionHandle section, uint32_t* lastError);
void PlatformUnmapSection(uint8_t* view);
// SendMessageTimeout with SMTO_BLOCK. Returns false when the send failed or timed out;
// otherwise true with the receiver's result in *result.
bool PlatformSendMessageTimeout(WindowHandle window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam, uint32_t timeoutMs, intptr_t* result);
void PlatformSleep(uint32_t milliseconds);
uint32_t PlatformProcessId();
// The first top-level window of the class, or 0.
WindowHandle PlatformFindTopLevelWindow(const char* className);
