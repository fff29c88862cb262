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
int PlatformListFocusedRow(WindowHandle list);         // -1 when no row carries the focus mark
void PlatformListMarkRow(WindowHandle list, int row);  // focused and selected
void PlatformSetFocus(WindowHandle window);            // 0 takes the focus from every window
int PlatformListRowCount(WindowHandle list);
// Copies the cell's text into out (always terminated); a missing cell reads as "".
void PlatformListCellText(WindowHandle list, int row, int column, char* out, int outSize);

// Timers on a window; starting a running timer restarts its period.
void PlatformStartTimer(WindowHandle window, uint32_t id, uint32_t periodMs);
void PlatformStopTimer(WindowHandle window, uint32_t id);

// ---- Main window, menu and title.
void PlatformCheckMenuItem(WindowHandle window, uint32_t id, bool checked);
void PlatformEnableMenuItem(WindowHandle window, uint32_t id, bool enabled);  // false = grayed
void PlatformSetWindowTitle(WindowHandle window, const char* title);
// Posts a timer message with id 0 to the window: a supervision tick of its own.
void PlatformPostTick(WindowHandle window);
// Sends WM_CLOSE and waits until it is handled.
void PlatformSendClose(WindowHandle window);
void PlatformDestroyWindow(WindowHandle window);
bool PlatformIsMaximizedOrMinimized(WindowHandle window);
// Client area size; false when it cannot be read.
bool PlatformClientSize(WindowHandle window, int32_t* width, int32_t* height);
// Outer rectangle in screen coordinates; false when it cannot be read.
bool PlatformWindowRect(WindowHandle window, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom);
// Moves and sizes a child window, keeping its z-order, and shows it.
void PlatformPlaceChild(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height);
// Moves and sizes a top-level window, brings it to the top of the z-order and shows it.
void PlatformPlaceTopLevel(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height);
void PlatformScreenSize(int32_t* width, int32_t* height);  // the primary screen
bool PlatformShiftDown();                                  // the key state's top bit

// ---- List views (report view, single selection, rows sorted by their first cell).
// Creates a list as a child of parent at the given place and installs the list hook.
// Returns 0 on failure with *lastError set to the system's error code (may be 0).
WindowHandle PlatformCreateList(WindowHandle parent, int32_t x, int32_t y, int32_t width, int32_t height,
                                uint32_t* lastError);
bool PlatformListAddColumn(WindowHandle list, int32_t index, const char* header, int32_t width);
void PlatformListDeleteAllRows(WindowHandle list);
// Adds a row with its first cell; returns its index after sorting, or -1.
int PlatformListAddRow(WindowHandle list, const char* firstCell);
void PlatformListSetCell(WindowHandle list, int row, int column, const char* text);
// While held, the list does not repaint; releasing it repaints it once. A rebuild of
// many rows is held so it costs one repaint instead of one per row and cell.
void PlatformListHoldRedraw(WindowHandle list, bool hold);

// ---- Settings files (private profile files named by a full path).
// Copies the value into out (always terminated, cut to outSize - 1); "" when missing.
void PlatformReadProfileString(const char* path, const char* section, const char* key, char* out,
                               int outSize);
bool PlatformWriteProfileString(const char* path, const char* section, const char* key, const char* value);
bool PlatformFileExists(const char* path);
bool PlatformEnsureDirectory(const char* path);  // true when it exists afterwards
// The user's roaming application-data folder and the Windows directory, without a
// trailing separator; false when unknown or too long for out.
bool PlatformAppDataDirectory(char* out, int outSize);
bool PlatformWindowsDirectory(char* out, int outSize);
