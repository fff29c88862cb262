// Window-system services of the display and editing logic. The product links the
// Win32 implementation; the tests link a fake window system that records calls.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

// Message box styles and results, with the platform's values.
constexpr uint32_t PLATFORM_MB_OK = 0x0;
constexpr uint32_t PLATFORM_MB_YESNO = 0x4;
constexpr uint32_t PLATFORM_MB_ICONQUESTION = 0x20;
constexpr uint32_t PLATFORM_MB_ICONEXCLAMATION = 0x30;
constexpr uint32_t PLATFORM_MB_ICONASTERISK = 0x40;
constexpr int PLATFORM_IDYES = 6;

// Modal message box; returns the button pressed (0 when it could not be shown).
int PlatformMessageBox(WindowHandle owner, const char* text, const char* title, uint32_t style);
void PlatformBeep(uint32_t type);

// List view rows.
int PlatformListFocusedRow(WindowHandle list);  // -1 when no row carries the focus mark
void PlatformListMarkRow(WindowHandle list, int row);  // focused and selected
void PlatformSetFocus(WindowHandle window);             // 0 takes the focus from every window
int PlatformListRowCount(WindowHandle list);
// Copies the cell's text into out (always terminated); a missing cell reads as "".
void PlatformListCellText(WindowHandle list, int row, int column, char* out, int outSize);

// Timers on a window; starting a running timer restarts its period.
void PlatformStartTimer(WindowHandle window, uint32_t id, uint32_t periodMs);
void PlatformStopTimer(WindowHandle window, uint32_t id);
