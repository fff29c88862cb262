// What the Win32 side of the program shares: the module instance and the window
// procedures of the main window and the lists.
#pragma once

#include <windows.h>

extern HINSTANCE ProgramInstance;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The row under a click (the position as the mouse message carries it), or a negative value.
int SelectClickedRow(HWND list, LPARAM position);
// The list control's own procedure behind ListWindowProc.
WNDPROC ListBaseProcOf(HWND list);

inline HWND AsWindow(uintptr_t handle) { return reinterpret_cast<HWND>(handle); }
inline uintptr_t AsHandle(HWND window) { return reinterpret_cast<uintptr_t>(window); }
