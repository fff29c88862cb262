// Connection supervision: when the link to the simulator's window is opened and
// dropped, and which timer tick refreshes the display.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

constexpr uint32_t TIMER_AUTOREFRESH = 1010;  // every 1000 ms while AutoRefresh is on
constexpr uint32_t TIMER_REFRESH_DUE = 1011;  // every 2000 ms until a refresh rebuilds the display
constexpr uint32_t TIMER_WATCH = 1012;        // every 2000 ms after that
constexpr uint32_t TIMER_POSTED_TICK = 0;     // the tick the connection commands post
constexpr uint32_t AUTOREFRESH_PERIOD_MS = 1000;
constexpr uint32_t REFRESH_DUE_PERIOD_MS = 2000;
constexpr uint32_t WATCH_PERIOD_MS = 2000;

constexpr uint32_t SIMULATOR_SECTION_SIZE = 32700;
constexpr uint32_t SIMULATOR_TIMEOUT_MS = 2000;
extern const char* const SIMULATOR_WINDOW_CLASS;  // "FS98MAIN"

extern bool AutoConnect;              // check mark of "&AutoConnect"
extern bool ConnectionWanted;         // keep or seek a connection
extern bool AutoRefresh;              // every tick refreshes
extern WindowHandle SimulatorWindow;  // the window the link was opened to; 0 = not connected

// 1 when connected now; callers look at SimulatorWindow instead.
int TryConnect();
// One timer tick (TIMER_POSTED_TICK for a posted one).
void SupervisionTick(uint32_t timerId);

// The menu commands of the connection.
void ToggleAutoRefresh();
void ToggleAutoConnect();
void ConnectCommand();
void DisconnectCommand();

// Back to the values at start (tests).
void ResetSupervisionState();
