// Process-wide state shared by the display and editing subsystems. All of it lives
// on the one GUI thread.
#pragma once

#include <cstdint>

#include "platform/kernel.h"
#include "weather/exchange.h"

enum ListKind : int32_t {
    LIST_VISIBILITY = 0,
    LIST_PRESSURE = 1,
    LIST_TEMPERATURE = 2,
    LIST_STATION = 3,
    LIST_CLOUD = 4,
    LIST_WINDS = 5,
};
constexpr int LIST_COUNT = 6;

enum EditAction : int32_t {
    ACTION_SELECT = 0,
    ACTION_EDIT = 1,
    ACTION_INSERT = 2,
    ACTION_DELETE = 3,
};

extern WindowHandle MainWindow;
extern WindowHandle WeatherLists[LIST_COUNT];  // 0 until created
extern int32_t CurrentList;                    // a ListKind, or -1 while there is none
extern bool Busy;                              // a refresh, edit or command exchange runs
extern bool CommandsEnabled;                   // Refresh and Clear All enabled
extern WeatherMode CurrentMode;                // what the window shows
extern uint32_t LastStamp;                     // TimeStamp of the block last shown

// Back to the values at start (tests).
void ResetAppState();
