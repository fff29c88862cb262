#include "display/main_window.h"

#include <cstring>

#include "display/app_state.h"
#include "display/menu_ids.h"
#include "display/placement_store.h"
#include "display/refresh.h"
#include "display/weather_lists.h"
#include "editing/edit_controller.h"
#include "link/request_batch.h"
#include "link/supervision.h"
#include "platform/ui.h"

const char* const MAIN_WINDOW_CLASS = "Nimbrel";
const char* const BASE_TITLE = "Cumora";
const char* const PLACEMENT_KEY = "MainWindow";
int32_t BaseTitleLength = 0;

void EnableWeatherCommands(WindowHandle mainWindow, bool enabled) {
    PlatformEnableMenuItem(mainWindow, IDM_REFRESH, enabled);
    PlatformEnableMenuItem(mainWindow, IDM_CLEAR_ALL, enabled);
}

void RecordBaseTitle() { BaseTitleLength = static_cast<int32_t>(std::strlen(BASE_TITLE)); }

int32_t MainWindowCreated(WindowHandle window) {
    MainWindow = window;
    for (int32_t kind = 0; kind < LIST_COUNT; kind++)
        if (!CreateWeatherList(window, kind)) return -1;
    EditListEntry(LIST_PRESSURE, ACTION_SELECT);
    EnableWeatherCommands(window, false);
    if (AutoRefresh) {
        PlatformStartTimer(window, TIMER_AUTOREFRESH, AUTOREFRESH_PERIOD_MS);
        PlatformCheckMenuItem(window, IDM_AUTOREFRESH, true);
    }
    PlatformStartTimer(window, TIMER_REFRESH_DUE, REFRESH_DUE_PERIOD_MS);
    return 0;
}

void MainWindowShown() {
    int32_t placement[4];
    if (LoadWindowPlacement(placement, PLACEMENT_KEY))
        PlatformPlaceTopLevel(MainWindow, placement[0], placement[1], placement[2], placement[3]);
    RefreshWeather();
}

void MainWindowResized(bool minimized) {
    if (minimized) return;
    for (int32_t kind = 0; kind < LIST_COUNT; kind++) {
        if (WeatherLists[kind] == 0) continue;
        int32_t width = 0, height = 0;
        PlatformClientSize(MainWindow, &width, &height);
        ListPlace place = ListPlaceInClient(kind, width, height);
        PlatformPlaceChild(WeatherLists[kind], place.X, place.Y, place.Width, place.Height);
    }
}

void MainWindowClosing() {
    if (AutoRefresh) PlatformStopTimer(MainWindow, TIMER_AUTOREFRESH);
    for (WindowHandle& list : WeatherLists) {
        if (list == 0) continue;
        PlatformDestroyWindow(list);
        list = 0;
    }
    LinkClose();
    // A maximized or minimized window keeps the placement stored before.
    if (!PlatformIsMaximizedOrMinimized(MainWindow)) SaveWindowPlacement(MainWindow, PLACEMENT_KEY);
    PlatformDestroyWindow(MainWindow);
}

bool MainWindowCommand(uintptr_t commandParameter) {
    switch (commandParameter) {
        case IDM_EXIT:
            PlatformSendClose(MainWindow);
            return true;
        case IDM_REFRESH:
            RefreshWeather();
            break;
        case IDM_ABOUT:
            RunAboutBox();
            EditListEntry(-1, ACTION_SELECT);
            break;
        case IDM_AUTOREFRESH:
            ToggleAutoRefresh();
            break;
        case IDM_CLEAR_ALL:
            SendClearAll();
            break;
        case IDM_GLOBAL:
            SendGlobal();
            break;
        case IDM_AUTOCONNECT:
            ToggleAutoConnect();
            break;
        case IDM_CONNECT:
            ConnectCommand();
            break;
        case IDM_DISCONNECT:
            DisconnectCommand();
            break;
        default:
            break;
    }
    return false;
}

void MainWindowListKey(WindowHandle sender, int32_t virtualKey) {
    if (SimulatorWindow == 0) {
        PlatformBeep(PLATFORM_MB_ICONEXCLAMATION);
        return;
    }
    int32_t kind = ListKindOf(sender);
    if (kind < 0) return;
    if (virtualKey == VK_TAB_KEY) {
        FocusNextList(kind, PlatformShiftDown());
        return;
    }
    if (virtualKey != VK_ENTER_KEY && virtualKey != VK_INSERT_KEY && virtualKey != VK_DELETE_KEY) return;
    int32_t action = EditActionForKey(kind, virtualKey);
    if (action > ACTION_SELECT) EditListEntry(kind, action);
}
