#include "link/supervision.h"

#include "display/app_state.h"
#include "display/main_window.h"
#include "display/menu_ids.h"
#include "display/refresh.h"
#include "link/request_batch.h"
#include "platform/ui.h"

const char* const SIMULATOR_WINDOW_CLASS = "FS98MAIN";

bool AutoConnect = true;
bool ConnectionWanted = true;
bool AutoRefresh = true;
WindowHandle SimulatorWindow = 0;

void ResetSupervisionState() {
    AutoConnect = true;
    ConnectionWanted = true;
    AutoRefresh = true;
    SimulatorWindow = 0;
}

static void ShowConnected(bool connected) {
    PlatformEnableMenuItem(MainWindow, IDM_CONNECT, !connected);
    PlatformEnableMenuItem(MainWindow, IDM_DISCONNECT, connected);
}

int TryConnect() {
    if (!ConnectionWanted) return 0;
    SimulatorWindow = PlatformFindTopLevelWindow(SIMULATOR_WINDOW_CLASS);
    if (SimulatorWindow == 0) return 0;
    if (!LinkOpen(SimulatorWindow, SIMULATOR_SECTION_SIZE, SIMULATOR_TIMEOUT_MS)) {
        SimulatorWindow = 0;
        return 0;
    }
    ShowConnected(true);
    return 1;
}

static int DropConnection() {
    LinkDetach();
    SimulatorWindow = 0;
    if (CommandsEnabled) {
        CommandsEnabled = false;
        EnableWeatherCommands(MainWindow, false);
    }
    ShowConnected(false);
    return RefreshWeather();
}

void SupervisionTick(uint32_t timerId) {
    int refreshed = 0;
    bool stillConnected = false;
    if (!ConnectionWanted) {
        refreshed = DropConnection();
    } else if (SimulatorWindow != 0) {
        // A restarted simulator has a new window: drop the old link and connect anew.
        if (PlatformFindTopLevelWindow(SIMULATOR_WINDOW_CLASS) == SimulatorWindow)
            stillConnected = true;
        else
            refreshed = DropConnection();
    }
    if (!stillConnected && ConnectionWanted) {
        TryConnect();
        if (SimulatorWindow != 0) refreshed = RefreshWeather();
    }
    if (refreshed == 0) {
        if (!AutoRefresh && timerId != TIMER_REFRESH_DUE) return;
        refreshed = RefreshWeather();
    }
    if (timerId == TIMER_REFRESH_DUE && refreshed != 0) {
        PlatformStopTimer(MainWindow, TIMER_REFRESH_DUE);
        PlatformStartTimer(MainWindow, TIMER_WATCH, WATCH_PERIOD_MS);
    }
}

void ToggleAutoRefresh() {
    AutoRefresh = !AutoRefresh;
    PlatformCheckMenuItem(MainWindow, IDM_AUTOREFRESH, AutoRefresh);
    if (AutoRefresh)
        PlatformStartTimer(MainWindow, TIMER_AUTOREFRESH, AUTOREFRESH_PERIOD_MS);
    else
        PlatformStopTimer(MainWindow, TIMER_AUTOREFRESH);
}

void ToggleAutoConnect() {
    AutoConnect = !AutoConnect;
    PlatformCheckMenuItem(MainWindow, IDM_AUTOCONNECT, AutoConnect);
    ConnectionWanted = AutoConnect;
    // Turning it off posts nothing: the next timer tick drops the link.
    if (ConnectionWanted) PlatformPostTick(MainWindow);
}

void ConnectCommand() {
    ConnectionWanted = true;
    AutoConnect = false;
    PlatformCheckMenuItem(MainWindow, IDM_AUTOCONNECT, false);
    PlatformPostTick(MainWindow);
}

void DisconnectCommand() {
    AutoConnect = false;
    PlatformCheckMenuItem(MainWindow, IDM_AUTOCONNECT, false);
    ConnectionWanted = false;
    PlatformPostTick(MainWindow);
}
