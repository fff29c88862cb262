// The main window's logic: creation, layout, commands, list keys, start-up after
// the window is shown, and the close sequence. The window layer translates its
// messages into these calls.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

extern const char* const MAIN_WINDOW_CLASS;  // "Nimbrel"
extern const char* const BASE_TITLE;         // "Cumora"
extern const char* const PLACEMENT_KEY;      // "MainWindow"
constexpr int32_t MAIN_WINDOW_WIDTH = 905;
constexpr int32_t MAIN_WINDOW_HEIGHT = 594;
constexpr int32_t VK_TAB_KEY = 9;
constexpr int32_t VK_ENTER_KEY = 13;
constexpr int32_t VK_INSERT_KEY = 45;
constexpr int32_t VK_DELETE_KEY = 46;

extern int32_t BaseTitleLength;  // characters of BASE_TITLE, recorded before the window exists

// Sets "&Refresh" and "Clear &All" enabled (true) or grayed (false).
void EnableWeatherCommands(WindowHandle mainWindow, bool enabled);

// Start-up: records the base title length (before the window is created).
void RecordBaseTitle();
// Creation of the main window: lists, current list, menu states, timers.
// Returns 0, or -1 when a list could not be made (the creation must then fail).
int32_t MainWindowCreated(WindowHandle window);
// After the window is shown: the stored placement, then the first refresh.
void MainWindowShown();
// Places every list in the client area; nothing while minimized.
void MainWindowResized(bool minimized);
// The close sequence: timers, lists, link, placement, then the window itself.
void MainWindowClosing();
// A menu command (the whole command parameter). True when the window procedure
// answers 0 itself (Exit); false when the default handling follows.
bool MainWindowCommand(uintptr_t commandParameter);
// A key-down notification from a child list.
void MainWindowListKey(WindowHandle sender, int32_t virtualKey);

// The modal about box; provided by the window layer.
void RunAboutBox();
